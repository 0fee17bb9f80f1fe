"""The card's geometry, read from the program's own table (card/card_layout.h).

Each "constexpr TYPE NAME = VALUE;" row becomes a module attribute: an int, a named
tuple of the header's struct (PictureBox, TextBlockLayout, ButtonPlace) or, for an
array row, a list of them. Values may name earlier rows and their fields.
"""
import collections
import os
import re

HEADER = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "card",
                      "card_layout.h")


def read(path=HEADER):
    with open(path, encoding="utf-8") as f:
        text = re.sub(r"//[^\n]*", "", f.read())
    names = {}
    for struct, body in re.findall(r"struct (\w+) \{([^}]*)\};", text):
        fields = re.findall(r"int (\w+);", body)
        names[struct] = collections.namedtuple(struct, fields)
    for kind, name, array, value in re.findall(
            r"constexpr (\w+) (\w+)(\[\])? = ([^;]+);", text):
        value = " ".join(value.split())
        if kind == "int":
            names[name] = int(eval(value, {"__builtins__": {}}, names))
            continue
        # Brace lists: a struct's fields, or for an array a list of them.
        if array:
            value = "[" + value.strip()[1:-1].replace("{", kind + "(").replace("}", ")") + "]"
        else:
            value = kind + "(" + value.strip()[1:-1] + ")"
        names[name] = eval(value, {"__builtins__": {}}, names)
    return names


globals().update(read())
