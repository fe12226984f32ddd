#!/usr/bin/env python3
"""Writes the built-in device-model data under src/data/ from tools/device_data.txt.

    python3 tools/gen_device_data.py            write the files and src/data/files.cmake
    python3 tools/gen_device_data.py --check    only tell whether the files are up to date

The table's syntax is described at its top. Standard library only.
"""

import os
import re
import shlex
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
TABLE = os.path.join(HERE, "device_data.txt")
OUT = os.path.normpath(os.path.join(HERE, "..", "src", "data"))

CRLF = "\r\n"
DECLARATION = '<?xml version="1.0" encoding="Windows-1252"?>'

# Binding attributes each element may carry, in the order the project file writes them.
ATTRIBUTE_ORDER = {
    "list": ["index1", "index2", "struct", "enableEdit", "set", "format", "transform",
             "channelLabel", "cardPin", "action", "doNotPoll"],
    "range": ["index1", "index2", "struct", "enableEdit", "minimum", "minLimit", "maximum",
              "maxLimit", "step", "units", "format", "transform", "channelLabel", "cardPin",
              "set", "callType"],
}

# Widget kinds that read the fractional geometry; the others place themselves by x, y,
# width and height only.
FRACTION_KINDS = {"label", "slider", "textedit", "levelbutton", "meter", "dialer", "droplist",
                  "activeroomcombo", "comboselector", "panellink"}
KNOWN_KINDS = FRACTION_KINDS | {"frame", "bounds", "button", "meterimage", "roomselector",
                                "region", "textlink", "image"}


class TableError(Exception):
    pass


class Layout:
    def __init__(self, name, control_type, width, height):
        self.name, self.control_type = name, control_type
        self.width, self.height = width, height
        self.defaults = {}
        self.widgets = []  # (kind, (fx, fy, fw, fh), settings text)


class Template:
    def __init__(self, folders, files, twin):
        self.folders, self.files, self.twin = folders, files, twin
        self.entries = []  # (role, name, type, layout, attributes text, values text)


class Table:
    def __init__(self):
        self.chassis = {}
        self.modules = []  # (folder, file, rows)
        self.twins = {}    # type -> (twin type, layout, rename)
        self.layouts = {}
        self.attrs = {}    # name -> (element, [(key, value)])
        self.templates = []


def split_pairs(text, where):
    """'k=v; k="v "' -> [(k, v)]; a value in double quotes keeps its blanks."""
    pairs = []
    for piece in text.split(";"):
        piece = piece.strip()
        if not piece:
            continue
        if "=" not in piece:
            raise TableError(f"{where}: '{piece}' is not key=value")
        key, value = piece.split("=", 1)
        value = value.strip()
        if len(value) >= 2 and value[0] == value[-1] == '"':
            value = value[1:-1]
        pairs.append((key.strip(), value))
    return pairs


def expand_loop(lines, variable, first, last, where):
    out = []
    for n in range(first, last + 1):
        def value(match):
            expression = match.group(1)
            if not re.fullmatch(r"[\d\s+\-*/()" + variable + "]+", expression):
                raise TableError(f"{where}: bad expression {{{expression}}}")
            return str(int(eval(expression, {"__builtins__": {}}, {variable: n})))
        out.extend(re.sub(r"\{([^{}]*)\}", value, line) for line in lines)
    return out


def read_table(path):
    table = Table()
    section = None
    loop = None
    with open(path, encoding="ascii") as handle:
        raw = handle.read().splitlines()
    for number, line in enumerate(raw, 1):
        where = f"{os.path.basename(path)}:{number}"
        stripped = line.strip()
        if loop is not None:
            if stripped == "@end":
                variable, first, last, body = loop
                loop = None
                for expanded in expand_loop(body, variable, first, last, where):
                    read_line(table, section, expanded, where)
            else:
                loop[3].append(line)
            continue
        if not stripped or stripped.startswith("#"):
            continue
        if stripped.startswith("["):
            section = open_section(table, stripped, where)
            continue
        match = re.fullmatch(r"@for\s+(\w+)\s+(\d+)\.\.(\d+)", stripped)
        if match:
            loop = (match.group(1), int(match.group(2)), int(match.group(3)), [])
            continue
        read_line(table, section, line, where)
    if loop is not None:
        raise TableError("@for without @end")
    return table


def open_section(table, text, where):
    if not text.endswith("]"):
        raise TableError(f"{where}: unclosed section")
    words = shlex.split(text[1:-1])
    kind = words[0]
    if kind == "chassis" and len(words) == 2:
        table.chassis.setdefault(words[1], [])
        return ("chassis", words[1])
    if kind == "modules" and len(words) == 3:
        table.modules.append((words[1], words[2], []))
        return ("modules", table.modules[-1])
    if kind == "twins" and len(words) == 1:
        return ("twins", None)
    if kind == "layout" and len(words) == 4:
        size = re.fullmatch(r"(\d+)x(\d+)", words[3])
        if not size:
            raise TableError(f"{where}: layout size must be WxH")
        layout = Layout(words[1], words[2], int(size.group(1)), int(size.group(2)))
        table.layouts[layout.name] = layout
        return ("layout", layout)
    if kind == "attrs" and len(words) == 3 and words[2] in ATTRIBUTE_ORDER:
        table.attrs[words[1]] = (words[2], [])
        return ("attrs", words[1])
    if kind == "template" and len(words) >= 3:
        twin = words[-1] == "twin"
        files = words[2:-1] if twin else words[2:]
        template = Template(words[1].split(","), files, twin)
        table.templates.append(template)
        return ("template", template)
    raise TableError(f"{where}: unknown section {text}")


def read_line(table, section, line, where):
    if section is None:
        raise TableError(f"{where}: line outside a section")
    kind, target = section
    stripped = line.strip()
    if kind == "chassis":
        table.chassis[target].append(stripped)
    elif kind == "modules":
        target[2].append("\t".join(column.strip() for column in stripped.split(" | ")))
    elif kind == "twins":
        columns = [column.strip() for column in stripped.split("|")]
        table.twins[columns[0]] = (columns[1], columns[2], "rename" in columns[3:])
    elif kind == "layout":
        if stripped.startswith("default "):
            target.defaults.update(split_pairs(stripped[len("default "):], where))
            return
        words = stripped.split(None, 5)
        if len(words) < 5 or words[0] not in KNOWN_KINDS:
            raise TableError(f"{where}: expected 'KIND x y w h settings'")
        geometry = tuple(float(word) for word in words[1:5])
        target.widgets.append((words[0], geometry, words[5] if len(words) > 5 else ""))
    elif kind == "attrs":
        table.attrs[target][1].extend(split_pairs(stripped, where))
    elif kind == "template":
        role = "param"
        match = re.match(r"(control|twin|twincontrol):\s*(.*)", stripped)
        if match:
            role, stripped = match.group(1), match.group(2)
        columns = [column.strip() for column in stripped.split("|")]
        if len(columns) not in (4, 5):
            raise TableError(f"{where}: expected NAME | TYPE | LAYOUT | ATTRS [| VALUES]")
        columns += [""] * (5 - len(columns))
        target.entries.append((role, *columns, where))


# ---------------------------------------------------------------- writing

def escape(text):
    return (text.replace("&", "&#38;").replace("<", "&#60;").replace(">", "&#62;")
            .replace('"', "&#34;"))


def number(value):
    return str(int(value)) if float(value).is_integer() else f"{value:g}"


class Writer:
    def __init__(self):
        self.lines = [DECLARATION]
        self.depth = 0

    def open(self, name, attributes=""):
        self.lines.append("\t" * self.depth + f"<{name}{attributes}>")
        self.depth += 1

    def close(self, name):
        self.depth -= 1
        self.lines.append("\t" * self.depth + f"</{name}>")

    def leaf(self, name, text):
        self.lines.append("\t" * self.depth + f"<{name}>{escape(text)}</{name}>")

    def text(self):
        return CRLF.join(self.lines) + CRLF


def resolve_values(layout, values, where):
    resolved = dict(layout.defaults)
    resolved.update(split_pairs(values, where))
    return resolved


def write_widget(writer, layout, kind, geometry, settings_text, values, where):
    def fill(match):
        if match.group(1) not in values:
            raise TableError(f"{where}: layout '{layout.name}' needs a value for %{match.group(1)}%")
        return values[match.group(1)]
    settings = [(k, v) for k, v in split_pairs(re.sub(r"%(\w+)%", fill, settings_text), where)
                if v != ""]
    first = {k: v for k, v in settings if k in ("id", "link", "z")}
    fx, fy, fw, fh = geometry
    writer.open(kind)
    for key in ("id", "link"):
        if key in first:
            writer.leaf(key, first[key])
    writer.leaf("x", number(fx * layout.width))
    writer.leaf("y", number(fy * layout.height))
    writer.leaf("width", number(fw * layout.width))
    writer.leaf("height", number(fh * layout.height))
    if "z" in first:
        writer.leaf("z", first["z"])
    if kind in FRACTION_KINDS:
        for key, value in zip(("xfract", "yfract", "widthfract", "heightfract"), geometry):
            writer.leaf(key, number(value))
    for key, value in settings:
        if key not in first:
            writer.leaf(key, value)
    writer.close(kind)


def write_attributes(writer, table, text, where):
    pieces = text.split(";", 1)
    preset = pieces[0].strip()
    if preset not in table.attrs:
        raise TableError(f"{where}: unknown attribute preset '{preset}'")
    element, pairs = table.attrs[preset]
    values = dict(pairs)
    values.update(split_pairs(pieces[1] if len(pieces) > 1 else "", where))
    unknown = set(values) - set(ATTRIBUTE_ORDER[element])
    if unknown:
        raise TableError(f"{where}: {element} does not carry {sorted(unknown)}")
    writer.open(element)
    for key in ATTRIBUTE_ORDER[element]:
        if values.get(key, "") != "":
            writer.leaf(key, values[key])
    writer.close(element)


def variant_entries(table, template, twin):
    """(is parameter, name, type, layout, attributes, values, where) of one variant."""
    out = []
    for role, name, ptype, layout, attributes, values, where in template.entries:
        if role in ("twin", "twincontrol") and not twin:
            continue
        if twin and role == "param" and ptype in table.twins:
            ptype, layout, rename = table.twins[ptype]
            if rename:
                name = name.replace("Meter", ptype)
        out.append((role in ("param", "twin"), name, ptype, layout, attributes, values, where))
    return out


def template_text(table, template, twin):
    entries = variant_entries(table, template, twin)
    writer = Writer()
    writer.open("VMD")
    writer.open("Parameters")
    for is_parameter, name, ptype, *_ in entries:
        if is_parameter:
            writer.open("parameter")
            writer.leaf("text", name)
            writer.leaf("type", ptype)
            writer.close("parameter")
    writer.close("Parameters")
    writer.open("Controls")
    names = set()
    for _, name, ptype, layout_name, attributes, values, where in entries:
        layout = table.layouts.get(layout_name)
        if layout is None:
            raise TableError(f"{where}: unknown layout '{layout_name}'")
        if layout.control_type != ptype:
            raise TableError(f"{where}: layout '{layout_name}' makes {layout.control_type}, not {ptype}")
        if (name, ptype) in names:
            raise TableError(f"{where}: control '{name}' twice")
        names.add((name, ptype))
        resolved = resolve_values(layout, values, where)
        writer.open("Control", f' name="{escape(name)}" type="{escape(ptype)}"')
        writer.open("Property", ' name="widget"')
        for kind, geometry, settings in layout.widgets:
            write_widget(writer, layout, kind, geometry, settings, resolved, where)
        writer.close("Property")
        writer.open("Property", ' name="attributes"')
        write_attributes(writer, table, attributes, where)
        writer.close("Property")
        writer.close("Control")
    writer.close("Controls")
    writer.close("VMD")
    return writer.text()


def twin_name(file_name):
    return file_name.split(".", 1)[0] + "1.xml"


def build(table):
    """Relative path -> file text of every generated file."""
    files = {}
    for folder, titles in table.chassis.items():
        files[f"{folder}/Chassis.dict"] = "".join(title + CRLF for title in titles)
    for folder, name, rows in table.modules:
        files[f"{folder}/{name}"] = "".join(row + CRLF for row in rows) + CRLF
    for template in table.templates:
        base = template_text(table, template, False)
        twin = template_text(table, template, True) if template.twin else None
        for folder in template.folders:
            for name in template.files:
                files[f"{folder}/{name}"] = base
                if twin is not None:
                    files[f"{folder}/{twin_name(name)}"] = twin
    for path, text in files.items():
        if not text.isascii():
            raise TableError(f"{path}: the data must be plain ASCII")
    return files


def cmake_list(paths):
    lines = ["# Written by tools/gen_device_data.py: every file under src/data/.",
             "set(VVB_DATA_FILES"]
    lines += [f'    "{path}"' for path in paths]
    lines += [")", ""]
    return "\n".join(lines)


def existing_data_files():
    found = []
    for root, _, names in os.walk(OUT):
        for name in names:
            path = os.path.relpath(os.path.join(root, name), OUT).replace(os.sep, "/")
            if path not in ("CMakeLists.txt", "files.cmake"):
                found.append(path)
    return found


def main(arguments):
    check = "--check" in arguments
    try:
        files = build(read_table(TABLE))
    except TableError as error:
        print(f"error: {error}", file=sys.stderr)
        return 2
    stale = sorted(set(existing_data_files()) - set(files) - {"Velmora/Devices.txt"})
    stale = [path for path in stale if path.split("/")[0] in {"KRX", "AQ", "AZ", "Velmora"}]
    outdated = []
    for path, text in sorted(files.items()):
        target = os.path.join(OUT, path)
        data = text.encode("ascii")
        if os.path.exists(target):
            with open(target, "rb") as handle:
                if handle.read() == data:
                    continue
        outdated.append(path)
        if not check:
            os.makedirs(os.path.dirname(target), exist_ok=True)
            with open(target, "wb") as handle:
                handle.write(data)
    listing = cmake_list(sorted(set(existing_data_files()) | set(files)))
    cmake_path = os.path.join(OUT, "files.cmake")
    old_listing = open(cmake_path).read() if os.path.exists(cmake_path) else None
    if old_listing != listing:
        outdated.append("files.cmake")
        if not check:
            with open(cmake_path, "w", newline="\n") as handle:
                handle.write(listing)
    for path in stale:
        print(f"warning: {path} is not in the table", file=sys.stderr)
    if check:
        for path in outdated:
            print(f"out of date: {path}")
        return 1 if outdated else 0
    print(f"{len(files)} data files, {len(outdated)} written")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
