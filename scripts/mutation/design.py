"""Design data: the literals that give a window its look rather than its behaviour.

A window's sizes, a dialog template's rectangles, a drawing's pixels and colours and the
words the design puts on the screen are seen by the end-to-end walk on the real window. A
test that copies such a number or text only restates it, so the literal operators (integer,
empty-string, boolean) leave these literals alone; the other operators still reach the code
around them (a deleted call, a flipped comparison). A literal is design data by where it
stands, the same in every file:

  - the value of a designated initializer of a window's layout or a message box's words:
    .caption, .clientWidth, .clientHeight, .text, .title;
  - an argument of a call that sets a window's words or size, asks for input or shows an
    error: SetCaption, SetText, SetOuterWidth, SetOuterHeight, InputBox, ShowError; or that
    gives a size in pixels at 96 dpi: Scaled;
  - an argument of a dialog template writer's .Word, .DWord, .Text or .Item, called on the
    writer (the template's own helpers, called bare, are its format and stay mutated);
  - a colour given as three numbers, RGB(255, 220, 90), and a count of drawing units, 2 * unit.

Anything else, such as the texts a page is made of, the prefix a web address must start
with, a registry key's name or a control's name for screen readers, is behaviour, and
mutated. A new construct of the kind goes into the tables below.
"""

import re

from .cpp import match_paren

FIELDS = ("caption", "clientWidth", "clientHeight", "text", "title")
CALLS = ("SetCaption", "SetText", "SetOuterWidth", "SetOuterHeight", "InputBox", "ShowError",
         "Scaled")
TEMPLATE_CALLS = ("Word", "DWord", "Text", "Item")

FIELD_RE = re.compile(r"[{,]\s*\.(?:%s)\s*=(?!=)" % "|".join(FIELDS))
CALL_RE = re.compile(r"\b(?:%s)\s*\(" % "|".join(CALLS))
TEMPLATE_RE = re.compile(r"\.\s*(?:%s)\s*\(" % "|".join(TEMPLATE_CALLS))
WHOLE_RE = re.compile(r"\bRGB\s*\(\s*\d+\s*,\s*\d+\s*,\s*\d+\s*\)|\b\d+\s*\*\s*unit\b")


def design_mask(text):
    """1 at every character of the code (as cpp.read gives it) that belongs to design data."""
    mask = bytearray(len(text))

    def mark(a, b):
        mask[a:b] = b"\1" * (b - a)

    for m in FIELD_RE.finditer(text):
        mark(m.end(), value_end(text, m.end()))
    for pattern in (CALL_RE, TEMPLATE_RE):
        for m in pattern.finditer(text):
            mark(m.end(), match_paren(text, m.end() - 1))
    for m in WHOLE_RE.finditer(text):
        mark(m.start(), m.end())
    return mask


def value_end(text, start):
    """Where an initializer's value ends: the comma or closing bracket at its own level."""
    depth = 0
    for k in range(start, len(text)):
        c = text[k]
        if c in "([{":
            depth += 1
        elif c in ")]}":
            if depth == 0:
                return k
            depth -= 1
        elif c in ",;" and depth == 0:
            return k
    return len(text)

