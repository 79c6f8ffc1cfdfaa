"""The operators: the small faults planted one at a time, and the mutants of a file.

Each mutant replaces src[start:end] with its replacement. It is known by its key (file,
operator, original line, mutated line, whitespace collapsed): the line numbers may move, the
key stays, and the list of equivalent mutants is written in keys.

  relational-boundary  < <= > >= to their neighbour (< to <=)
  relational-negation  < <= > >= to their opposite (< to >=), == and != to each other
  logical              && and || to each other
  arithmetic           + - += -= to each other
  increment            ++ and -- to each other
  negated-condition    if (c) and while (c) to (!(c))
  integer              a whole number n to n + 1 (0 to 1, 1 to 0), written as before
  boolean              true and false to each other
  return               a returned value to {} (a returned true or false to the other)
  deleted-statement    a statement that is a call, an assignment or a step, to {}
  empty-string         a string literal to the empty one

Binary operators count only when spaced as clang-format writes them, not a template's angle
brackets, a sign or a reference. Design data (see design.py) is not for the literal ones.
"""

import re
from dataclasses import dataclass

from . import cpp
from .design import design_mask


@dataclass
class Mutant:
    file: str  # relative to the tree
    start: int
    end: int
    replacement: str
    operator: str
    line: int = 0
    original_text: str = ""
    mutated_text: str = ""

    def key(self):
        return (self.file, self.operator, self.original_text, self.mutated_text)

    def describe(self):
        return (f"{self.file}:{self.line} {self.operator} {self.original_text} -> "
                f"{self.mutated_text}")

    def order(self):
        return (self.file, self.start, self.operator, self.replacement)


BINARY = ["<<=", ">>=", "<=>", "->*", "->", "<<", ">>", "<=", ">=", "==", "!=", "&&", "||",
          "++", "--", "+=", "-=", "<", ">", "+", "-"]
BINARY_RE = re.compile("|".join(re.escape(op) for op in BINARY))
RELATIONAL = {"<": ("<=", ">="), "<=": ("<", ">"), ">": (">=", "<="), ">=": (">", "<")}
SWAPPED = {"==": ("!=", "relational-negation"), "!=": ("==", "relational-negation"),
           "&&": ("||", "logical"), "||": ("&&", "logical"),
           "+": ("-", "arithmetic"), "-": ("+", "arithmetic"),
           "+=": ("-=", "arithmetic"), "-=": ("+=", "arithmetic")}
KEYWORDS = {"return", "if", "while", "for", "switch", "delete", "throw", "break", "continue",
            "case", "default", "goto", "using", "typedef", "static_assert", "sizeof", "else",
            "do", "co_return", "co_await", "co_yield", "new", "template", "namespace"}
STATEMENT_CALL = re.compile(r"^[A-Za-z_~:*][\w:.\->\[\]*]*\(")
STATEMENT_ASSIGN = re.compile(
    r"^[A-Za-z_*(][\w:.\->\[\]*()]*\s+(=|\+=|-=|\*=|/=|%=|\|=|&=|\^=|<<=|>>=)\s")
STATEMENT_STEP = re.compile(r"^((\+\+|--)[\w.\->\[\]*]+|[\w.\->\[\]*]+(\+\+|--))$")
EMPTY_RETURNS = {"{}", "nullptr", "0", '""', 'L""', "std::nullopt", "true", "false"}


def find_mutants(rel, src):
    """Every mutant of the file `rel` whose source is `src`."""
    code = cpp.read(src)
    design = design_mask(code.text)
    out = []

    def add(start, end, replacement, operator, literal=False):
        if any(code.excluded[start:end]) or (literal and any(design[start:end])):
            return
        out.append(Mutant(rel, start, end, replacement, operator))

    for operator in (binary, negated_conditions, integers, booleans, returns,
                     deleted_statements, empty_strings):
        operator(code, src, add)
    for mutant in out:
        describe(src, mutant)
    return out


def spaced(text, a, b):
    """Whether text[a:b] stands between whitespace, as clang-format writes a binary operator."""
    return a > 0 and b < len(text) and text[a - 1] in " \n" and text[b] in " \n"


def binary(code, src, add):
    for m in BINARY_RE.finditer(code.text):
        op, a, b = m.group(), m.start(), m.end()
        if op in ("++", "--"):
            add(a, b, "--" if op == "++" else "++", "increment")
        elif not spaced(code.text, a, b):
            continue
        elif op in RELATIONAL:
            boundary, negation = RELATIONAL[op]
            add(a, b, boundary, "relational-boundary")
            add(a, b, negation, "relational-negation")
        elif op in SWAPPED:
            add(a, b, *SWAPPED[op])


def negated_conditions(code, src, add):
    text = code.text
    for m in re.finditer(r"\b(if|while)\s*\(", text):
        open_at = m.end() - 1
        close = cpp.match_paren(text, open_at)
        if re.search(r"\bconstexpr\b", text[m.start() : open_at]) or ";" in text[open_at:close]:
            continue
        add(open_at, close + 1, "(!(" + src[open_at + 1 : close] + "))", "negated-condition")


def integers(code, src, add):
    for m in re.finditer(r"(?<![\w.'])\d[\w']*(?![\w.'])", code.text):
        number = re.fullmatch(r"(0[xX][0-9a-fA-F]+|0[bB][01]+|\d+)([uUlLzZ]*)",
                              m.group().replace("'", ""))
        if number:
            digits, suffix = number.groups()
            add(m.start(), m.end(), next_integer(digits) + suffix, "integer", literal=True)


def next_integer(digits):
    """n + 1, 0 for 1 and 1 for 0, written as n is: hexadecimal in the same case and at least
    as many digits, binary, octal or decimal."""
    if digits.lower().startswith("0x"):
        value = int(digits, 16)
        changed = value + 1 if value not in (0, 1) else 1 - value
        return digits[:2] + f"{changed:0{len(digits) - 2}{'X' if digits[2:].isupper() else 'x'}}"
    if digits.lower().startswith("0b"):
        value = int(digits, 2)
        return bin(value + 1) if value not in (0, 1) else ("0b1" if value == 0 else "0b0")
    value = int(digits, 8 if len(digits) > 1 and digits[0] == "0" else 10)
    return str(value + 1) if value not in (0, 1) else ("1" if value == 0 else "0")


def booleans(code, src, add):
    """true and false swapped; one returned alone is the return operator's."""
    text = code.text
    for m in re.finditer(r"\b(true|false)\b", text):
        returned = re.search(r"\breturn\s+$", text[max(0, m.start() - 20) : m.start()]) and \
            re.match(r"\s*;", text[m.end() :])
        add(m.start(), m.end(), "false" if m.group() == "true" else "true",
            "return" if returned else "boolean", literal=True)


def returns(code, src, add):
    """A returned value emptied; not one that {} makes already."""
    text = code.text
    for m in re.finditer(r"\breturn\b", text):
        semicolon = cpp.statement_end(text, m.end())
        if semicolon is None:
            continue
        expression = text[m.end() : semicolon].strip()
        if not expression or expression in EMPTY_RETURNS or \
                re.fullmatch(r"[\w:<>, ]+(\(\)|\{\})", expression):
            continue
        add(m.end(), semicolon, " {}", "return")


def deleted_statements(code, src, add):
    """A call, an assignment or a step that makes up a whole statement."""
    text = code.text
    for start in cpp.statement_starts(text):
        semicolon = cpp.statement_end(text, start)
        if semicolon is None:
            continue
        statement = text[start:semicolon].strip()
        first = re.match(r"[A-Za-z_]\w*", statement)
        if first and first.group() in KEYWORDS:
            continue
        if (STATEMENT_CALL.match(statement) and statement.endswith(")")) or \
                STATEMENT_ASSIGN.match(statement) or STATEMENT_STEP.match(statement):
            add(start, semicolon + 1, "{}", "deleted-statement")


def empty_strings(code, src, add):
    for lit in code.literals:
        prefix = src[lit.start : lit.quote]
        if lit.kind == '"' and src[lit.start : lit.end] != prefix + '""':
            add(lit.start, lit.end, prefix.replace("R", "") + '""', "empty-string", literal=True)


def describe(src, mutant):
    """Fills in the mutant's line number and its line before and after, as the run prints
    them."""
    line_start = src.rfind("\n", 0, mutant.start) + 1
    line_end = src.find("\n", mutant.end)
    line_end = len(src) if line_end < 0 else line_end
    original = src[line_start:line_end]
    mutated = src[line_start : mutant.start] + mutant.replacement + src[mutant.end : line_end]
    mutant.line = src.count("\n", 0, mutant.start) + 1
    mutant.original_text = " ".join(original.split())
    mutant.mutated_text = " ".join(mutated.split())
