"""Reading C++ for the operators: which characters are code, and where statements begin and
end.

The reading is lexical, not a parse. Comments become spaces and the insides of string and
character literals become 'x', so that no operator matches inside them; preprocessor lines
(with their continuations) and static_assert(...) are marked excluded, as a fault planted
there would change no test's outcome or would not build. Every position keeps its offset, so
a span found in the code is the same span in the source.
"""

import re
from dataclasses import dataclass

PREFIXES = ("", "L", "u", "U", "u8", "R", "LR", "uR", "UR", "u8R")


@dataclass
class Literal:
    start: int  # the prefix (L, u8, R, ...) or the opening quote
    quote: int  # the opening quote
    end: int  # one past the closing quote
    kind: str  # '"' or "'"


@dataclass
class Code:
    text: str  # the source with comments blanked and literal contents as 'x'
    excluded: bytearray  # 1 where no mutant may touch: preprocessor lines, static_assert
    literals: list  # the string and character literals, in order


def is_word(c):
    return c.isalnum() or c == "_"


def read(src):
    """The code of a source file, as the operators see it."""
    n = len(src)
    code = list(src)
    literals = []

    def blank(a, b, fill):
        for k in range(a, b):
            if src[k] != "\n":
                code[k] = fill

    i = 0
    while i < n:
        c = src[i]
        if src.startswith("//", i):
            j = src.find("\n", i)
            j = n if j < 0 else j
            blank(i, j, " ")
            i = j
            continue
        if src.startswith("/*", i):
            j = src.find("*/", i + 2)
            j = n if j < 0 else j + 2
            blank(i, j, " ")
            i = j
            continue
        if c == "'" and i > 0 and is_word(src[i - 1]):
            # A digit separator (1'000) is no character literal.
            k = i
            while k > 0 and (is_word(src[k - 1]) or src[k - 1] == "'"):
                k -= 1
            if src[k].isdigit():
                i += 1
                continue
        if c in "\"'":
            literal = read_literal(src, i)
            blank(i + 1, literal.end - 1, "x")
            literals.append(literal)
            i = literal.end
            continue
        i += 1

    text = "".join(code)
    return Code(text, excluded_spans(text), literals)


def read_literal(src, quote):
    """The literal whose opening quote is at `quote`, with its prefix; one that is not closed
    takes the rest of the file, as if its closing quote stood just after it."""
    n = len(src)
    c = src[quote]
    k = quote
    while k > 0 and src[k - 1] in "LuUR8":
        k -= 1
    prefix = src[k:quote]
    if prefix not in PREFIXES or (k > 0 and is_word(src[k - 1])):
        k, prefix = quote, ""
    if c == '"' and prefix.endswith("R"):
        paren = src.find("(", quote + 1)
        closing = ")" + src[quote + 1 : paren] + '"'
        at = src.find(closing, paren) if paren >= 0 else -1
        end = n + 1 if at < 0 else at + len(closing)
    else:
        j = quote + 1
        while j < n and src[j] != c:
            j += 2 if src[j] == "\\" else 1
        end = min(j, n) + 1
    return Literal(k, quote, end, c)


def excluded_spans(text):
    """Preprocessor lines with their continuations, and every static_assert(...)."""
    excluded = bytearray(len(text))
    pos = 0
    continued = False
    for line in text.split("\n"):
        if continued or line.lstrip().startswith("#"):
            excluded[pos : pos + len(line)] = b"\1" * len(line)
            continued = line.rstrip().endswith("\\")
        pos += len(line) + 1
    for m in re.finditer(r"\bstatic_assert\s*\(", text):
        close = match_paren(text, m.end() - 1)
        excluded[m.start() : close + 1] = b"\1" * (close + 1 - m.start())
    return excluded


def match_paren(text, open_at):
    """The bracket that closes the one at open_at, or the end of the text."""
    opening = text[open_at]
    closing = {"(": ")", "[": "]", "{": "}"}[opening]
    depth = 0
    for k in range(open_at, len(text)):
        if text[k] == opening:
            depth += 1
        elif text[k] == closing:
            depth -= 1
            if depth == 0:
                return k
    return len(text) - 1


def statement_end(text, start):
    """The semicolon that ends the statement from start, at the same nesting; None when a
    brace at that level comes first (a block, an initializer list, a lambda body)."""
    depth = 0
    for k in range(start, len(text)):
        c = text[k]
        if c in "([":
            depth += 1
        elif c in ")]":
            depth -= 1
            if depth < 0:
                return None
        elif c in "{}" and depth == 0:
            return None
        elif c == ";" and depth == 0:
            return k
    return None


def statement_starts(text):
    """Where a statement can begin: after ; { } or a label's colon at the nesting of a block,
    after the header of an if, while or for, and after else."""
    starts = []
    depth = [0]  # open parentheses and brackets, per brace level
    openers = []
    previous = ""  # the last significant character, or "word", "else", "header"
    k, n = 0, len(text)
    while k < n:
        c = text[k]
        if c.isspace():
            k += 1
            continue
        if previous in (";", "{", "}", ":", "else", "header") and depth[-1] == 0 and \
                (c.isalpha() or c in "_*~:+-"):
            starts.append(k)
        if is_word(c):
            word = re.match(r"\w+", text[k:]).group()
            previous = "else" if word == "else" else "word"
            k += len(word)
            continue
        if c == "{":
            depth.append(0)
        elif c == "}":
            if len(depth) > 1:
                depth.pop()
        elif c in "([":
            depth[-1] += 1
            openers.append(k)
        elif c in ")]":
            depth[-1] -= 1
            opener = openers.pop() if openers else k
        if c == ")" and depth[-1] == 0:
            before = text[:opener].rstrip()
            previous = "header" if re.search(r"\b(if|while|for|constexpr)$", before) else ")"
        elif c == ":" and (text[k + 1 : k + 2] == ":" or text[k - 1 : k] == ":"):
            previous = "::"
        else:
            previous = c
        k += 1
    return starts
