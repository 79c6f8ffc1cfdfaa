"""The mutation tool's own tests: its reading of C++, each operator, the design-data rule,
the sample and the equivalent list, as tables of snippets and the mutants expected of them.
No build needed; the native CTest run starts them:

    cd scripts && python3 -m unittest mutation.test_mutation
"""

import io
import unittest
from contextlib import redirect_stderr
from unittest import mock

from . import Failure, cli, cpp, equivalents, sample
from .operators import find_mutants


def wrapped(snippet):
    """The snippet as the body of a function, each of its lines a line of the file."""
    return "void t() {\n" + snippet + "\n}\n"


def mutants(snippet, operator=None):
    """(operator, mutated line) of the snippet's mutants, or the mutated lines of one
    operator's."""
    found = sorted((m.operator, m.mutated_text) for m in find_mutants("f.cpp", wrapped(snippet)))
    return found if operator is None else [text for op, text in found if op == operator]


# What the reading of C++ leaves to the operators: every mutant of the snippet.
READING = [
    ("// a < b", []),
    ("/* a + b */ int c;", []),
    ('s = "a < b";', [("deleted-statement", "{}"), ("empty-string", 's = "";')]),
    ('s = "a\\" < b";', [("deleted-statement", "{}"), ("empty-string", 's = "";')]),
    ("c = '<';", [("deleted-statement", "{}")]),
    ("c = '\\'' + 1;", [("arithmetic", "c = '\\'' - 1;"), ("deleted-statement", "{}"),
                        ("integer", "c = '\\'' + 0;")]),
    ('s = R"x(a < ")" b)x";', [("deleted-statement", "{}"), ("empty-string", 's = "";')]),
    ("n = 1'000;", [("deleted-statement", "{}"), ("integer", "n = 1001;")]),
    ("#define LESS(a, b) a < b", []),
    ("#define ADD(a, b) \\\n  a + b\nint y = 1;", [("integer", "int y = 0;")]),
    ("static_assert(sizeof(int) == 4);", []),
    ("x = a + b;  // c - d", [("arithmetic", "x = a - b; // c - d"),
                              ("deleted-statement", "{} // c - d")]),
]

# Each operator: the snippet's mutated lines of that operator alone.
OPERATORS = [
    ("relational-boundary", "r = a < b;", ["r = a <= b;"]),
    ("relational-boundary", "r = a <= b;", ["r = a < b;"]),
    ("relational-boundary", "r = a > b;", ["r = a >= b;"]),
    ("relational-boundary", "r = a >= b;", ["r = a > b;"]),
    ("relational-negation", "r = a < b;", ["r = a >= b;"]),
    ("relational-negation", "r = a <= b;", ["r = a > b;"]),
    ("relational-negation", "r = a > b;", ["r = a <= b;"]),
    ("relational-negation", "r = a >= b;", ["r = a < b;"]),
    ("relational-negation", "r = a == b;", ["r = a != b;"]),
    ("relational-negation", "r = a != b;", ["r = a == b;"]),
    ("relational-boundary", "std::vector<int> v; r = a<b; p->q(); r = a << b; r = a <=> b;", []),
    ("logical", "r = a && b;", ["r = a || b;"]),
    ("logical", "r = a || b;", ["r = a && b;"]),
    ("arithmetic", "r = a + b;", ["r = a - b;"]),
    ("arithmetic", "r = a - b;", ["r = a + b;"]),
    ("arithmetic", "r += a;", ["r -= a;"]),
    ("arithmetic", "r -= a;", ["r += a;"]),
    ("arithmetic", "r = -a; f(int& x);", []),
    ("increment", "++i;", ["--i;"]),
    ("increment", "i--;", ["i++;"]),
    ("negated-condition", "if (ok) f();", ["if (!(ok)) f();"]),
    ("negated-condition", "while (more()) g();", ["while (!(more())) g();"]),
    ("negated-condition", "if constexpr (k) f();", []),
    ("negated-condition", "if (int n = f(); n > 0) g();", []),
    ("integer", "n = 41;", ["n = 42;"]),
    ("integer", "n = 0;", ["n = 1;"]),
    ("integer", "n = 1;", ["n = 0;"]),
    ("integer", "n = 10u;", ["n = 11u;"]),
    ("integer", "n = 0x0F;", ["n = 0x10;"]),
    ("integer", "n = 0xff;", ["n = 0x100;"]),
    ("integer", "n = 0x00;", ["n = 0x01;"]),
    ("integer", "n = 0b101;", ["n = 0b110;"]),
    ("integer", "n = 017;", ["n = 16;"]),
    ("integer", "x = 1.5; v2 = 0;", ["x = 1.5; v2 = 1;"]),
    ("boolean", "ok = true;", ["ok = false;"]),
    ("boolean", "ok = false;", ["ok = true;"]),
    ("boolean", "return true;", []),
    ("return", "return true;", ["return false;"]),
    ("return", "return x + 1;", ["return {};"]),
    ("return", "return; return nullptr; return Thing(); return {}; return 0;", []),
    ("deleted-statement", "f(x);", ["{}"]),
    ("deleted-statement", "a.b->c(1);", ["{}"]),
    ("deleted-statement", "x = 1;", ["{}"]),
    ("deleted-statement", "x |= kFlag;", ["{}"]),
    ("deleted-statement", "++i;", ["{}"]),
    ("deleted-statement", "int x = f(); return f(); throw E(); delete p;", []),
    ("deleted-statement", "if (c) f(); else g();", ["if (c) f(); else {}", "if (c) {} else g();"]),
    ("deleted-statement", "auto l = [] { f(); };", ["auto l = [] { {} };"]),
    ("empty-string", 's = "abc";', ['s = "";']),
    ("empty-string", 's = L"abc";', ['s = L"";']),
    ("empty-string", 's = u8R"(x)";', ['s = u8"";']),
    ("empty-string", "s = \"\"; c = 'a';", []),
]

# Where the statement finder sees statements: the text from each start to its semicolon.
STATEMENTS = [
    ("a(); b = 1; ++c;", ["a()", "b = 1", "++c"]),
    ("if (x) f(); else g();", ["if (x) f()", "f()", "else g()", "g()"]),
    ("switch (k) { case 1: f(); break; }", ["case 1: f()", "f()", "break"]),
    ("for (int i = 0; i < n; ++i) f(i);", ["for (int i = 0; i < n; ++i) f(i)", "f(i)"]),
    ("auto l = [] { g(); };", ["g()"]),
    ("x = {1, 2};", []),
    ("a::b(); ::c();", ["a::b()", "::c()"]),
    ("done: f();", ["done: f()", "f()"]),
]

# Design data: the literal operators' mutants (integer, empty-string, boolean) of a snippet.
DESIGN = [
    ('f("F", {.caption = L"About", .clientWidth = 5730, .tool = false});',
     [("boolean", 'f("F", {.caption = L"About", .clientWidth = 5730, .tool = true});'),
      ("empty-string", 'f("", {.caption = L"About", .clientWidth = 5730, .tool = false});')]),
    ("show({.text = std::wstring(L\"Oops\") + kBreak, .defaultButton = 2});",
     [("integer", "show({.text = std::wstring(L\"Oops\") + kBreak, .defaultButton = 3});")]),
    ('box.title = L"x";', [("empty-string", 'box.title = L"";')]),
    ("SetOuterHeight(3450);", []),
    ('Label2.SetText(L"Help" + p + L"more");', []),
    ('r = dialogs.InputBox(L"Prompt", L"Title", L"");', []),
    ("ShowError(d, L\"No\", MessageButtons::OkCancel);", []),
    ("unit = Scaled(1, dpi);", []),
    ('writer.Item(SS_LEFT, 7, 7, 170, 48, kId, kStatic, L"OK");', []),
    ("writer.Word(246);", []),
    ("Word(0);", [("integer", "Word(1);")]),
    ("b = Brush(RGB(255, 220, 90));", []),
    ("c = RGB(v >> 16, 0, 1);", [("integer", "c = RGB(v >> 16, 0, 0);"),
                                  ("integer", "c = RGB(v >> 16, 1, 1);"),
                                  ("integer", "c = RGB(v >> 17, 0, 1);")]),
    ("left = r + 2 * unit;", []),
    ("left = r + 2 * count;", [("integer", "left = r + 3 * count;")]),
]

LITERAL_OPERATORS = ("integer", "empty-string", "boolean")


class ReadingTest(unittest.TestCase):
    def test_only_code_is_mutated(self):
        for snippet, expected in READING:
            with self.subTest(snippet=snippet):
                self.assertEqual(mutants(snippet), sorted(expected))

    def test_a_literal_not_closed_takes_the_rest_of_the_file(self):
        for src in ('s = "abc', 's = R"x(abc', "s = 'a\\"):
            with self.subTest(src=src):
                code = cpp.read(src)
                self.assertEqual(len(code.text), len(src))
                self.assertEqual(code.literals[0].end, len(src) + 1)

    def test_statements(self):
        for snippet, expected in STATEMENTS:
            with self.subTest(snippet=snippet):
                text = cpp.read(wrapped(snippet)).text
                found = []
                for start in cpp.statement_starts(text):
                    end = cpp.statement_end(text, start)
                    if end is not None:
                        found.append(text[start:end].strip())
                self.assertEqual(found, expected)


class OperatorsTest(unittest.TestCase):
    def test_each_operator(self):
        for operator, snippet, expected in OPERATORS:
            with self.subTest(operator=operator, snippet=snippet):
                self.assertEqual(mutants(snippet, operator), sorted(expected))

    def test_design_data_is_left_to_the_end_to_end_walk(self):
        for snippet, expected in DESIGN:
            with self.subTest(snippet=snippet):
                found = [m for m in mutants(snippet) if m[0] in LITERAL_OPERATORS]
                self.assertEqual(found, sorted(expected))

    def test_the_code_around_design_data_is_still_mutated(self):
        self.assertEqual(mutants("SetOuterHeight(3450);", "deleted-statement"), ["{}"])

    def test_a_mutant_is_told_by_its_line_with_whitespace_collapsed(self):
        found = find_mutants("src/a.cpp", "int f() {\n  return  a +\n b;\n}\n")
        [m] = [m for m in found if m.operator == "arithmetic"]
        self.assertEqual(m.describe(), "src/a.cpp:2 arithmetic return a + -> return a -")
        self.assertEqual(m.key(), ("src/a.cpp", "arithmetic", "return a +", "return a -"))


class SampleTest(unittest.TestCase):
    SRC = wrapped("\n".join(f"x{i} = a + {i};" for i in range(2, 12)))

    def test_the_same_seed_draws_the_same_mutants(self):
        all_mutants = find_mutants("f.cpp", self.SRC)
        first = [m.key() for m in sample.choose(all_mutants, seed=5, count=6)]
        again = [m.key() for m in sample.choose(find_mutants("f.cpp", self.SRC), seed=5, count=6)]
        other = [m.key() for m in sample.choose(all_mutants, seed=6, count=6)]
        self.assertEqual(first, again)
        self.assertNotEqual(first, other)

    def test_a_mutant_gone_leaves_the_others_drawn(self):
        all_mutants = find_mutants("f.cpp", self.SRC)
        drawn = sample.choose(all_mutants, seed=5, count=6)
        rest = [m for m in all_mutants if m is not drawn[0]]
        redrawn = sample.choose(rest, seed=5, count=5)
        self.assertEqual([m.key() for m in redrawn], [m.key() for m in drawn[1:]])

    def test_a_list_of_descriptions_names_mutants_with_arrows_in_their_lines(self):
        line = "  src/a.cpp:12 arithmetic x = a - b; // -> y -> x = a + b; // -> y"
        keys = sample.parse_descriptions([line, "Survivors:"])
        self.assertIn(("src/a.cpp", "arithmetic", "x = a - b; // -> y", "x = a + b; // -> y"), keys)
        self.assertEqual(len(keys), 3)


class EquivalentsTest(unittest.TestCase):
    SOURCES = {"src/a.cpp": wrapped("x = a + b;\nSetOuterWidth(5820);")}

    def entry(self, file, operator, original, mutated):
        return equivalents.Entry(1, (file, operator, original, mutated), "why")

    def test_entries_are_read_with_their_line_numbers(self):
        lines = ["# file, operator, original, mutated, reason", "",
                 "src/a.cpp\tarithmetic\tx = a + b;\tx = a - b;\tnever read"]
        [entry] = equivalents.parse(lines, "list.txt")
        self.assertEqual((entry.number, entry.key, entry.reason),
                         (3, ("src/a.cpp", "arithmetic", "x = a + b;", "x = a - b;"), "never read"))

    def test_a_line_without_five_fields_is_refused_by_its_number(self):
        with self.assertRaisesRegex(Failure, r"^list\.txt:2: want 5 tab-separated fields"):
            equivalents.parse(["# note", "src/a.cpp\tarithmetic\tx"], "list.txt")

    def test_stale_entries(self):
        rows = [
            (("src/a.cpp", "arithmetic", "x = a + b;", "x = a - b;"), False),
            (("src/a.cpp", "arithmetic", "x = a + c;", "x = a - c;"), True),  # the line changed
            (("src/gone.cpp", "arithmetic", "x = a + b;", "x = a - b;"), True),
            (("src/a.cpp", "integer", "SetOuterWidth(5820);", "SetOuterWidth(5821);"), True),
        ]
        entries = [self.entry(*key) for key, _ in rows]
        stale = equivalents.stale(entries, self.SOURCES.get)
        self.assertEqual([e.key for e in stale], [key for key, is_stale in rows if is_stale])


class ErrorsTest(unittest.TestCase):
    def test_a_run_that_stops_says_why_in_one_line(self):
        rows = [
            (Failure("the copy does not build unmutated"), 1,
             "mutate: the copy does not build unmutated\n"),
            (FileNotFoundError(2, "No such file or directory", "list.txt"), 1,
             "mutate: list.txt: No such file or directory\n"),
            (KeyError("x"), 1, "mutate: unexpected KeyError: 'x'\n"),
            (KeyboardInterrupt(), 130,
             "mutate: interrupted; the copies are put right at the next run\n"),
        ]
        for error, status, message in rows:
            with self.subTest(error=error), mock.patch.object(cli, "main", side_effect=error):
                told = io.StringIO()
                with redirect_stderr(told):
                    self.assertEqual(cli.entry([]), status)
                self.assertEqual(told.getvalue(), message)


if __name__ == "__main__":
    unittest.main()
