#!/usr/bin/env python3
"""Reports files over 500 lines and functions over 50 lines in the given folders (default
src and tools). A function's length runs from the line of its signature's opening brace to
its closing brace; lambdas and local classes count towards the function around them.
Exit status 1 when anything is over."""
import re
import sys
from pathlib import Path

MAX_FILE, MAX_FUNCTION = 500, 50
NOT_FUNCTIONS = re.compile(r'\b(namespace|class|struct|enum|union)\b|=\s*$|^\s*extern\b')


def strip_code(text):
    """The text with comments, string and character literals blanked, lines kept."""
    out, i, n = [], 0, len(text)
    while i < n:
        c = text[i]
        if text.startswith('//', i):
            j = text.find('\n', i)
            i = n if j < 0 else j
        elif text.startswith('/*', i):
            j = text.find('*/', i + 2)
            j = n if j < 0 else j + 2
            out.append(re.sub(r'[^\n]', ' ', text[i:j]))
            i = j
        elif c == 'R' and text.startswith('R"', i):
            m = re.match(r'R"([^(]*)\(', text[i:])
            end = text.find(')' + m.group(1) + '"', i)
            out.append(re.sub(r'[^\n]', ' ', text[i:end + len(m.group(1)) + 2]))
            i = end + len(m.group(1)) + 2
        elif c in '"\'':
            j = i + 1
            while j < n and text[j] != c:
                j += 2 if text[j] == '\\' else 1
            out.append(' ' * (j + 1 - i))
            i = j + 1
        else:
            out.append(c)
            i += 1
    return ''.join(out)


def functions(text):
    """(name, first line, line count) of every function body at namespace or class level."""
    code = strip_code(text)
    stack, head, line = [], '', 1
    for c in code:
        if c == '\n':
            line += 1
        if c == '{':
            outer = all(kind == 'scope' for kind, _, _ in stack)
            is_function = outer and ')' in head and not NOT_FUNCTIONS.search(head)
            name = re.findall(r'([~\w:]+)\s*\(', head)
            stack.append(('function' if is_function else 'scope' if outer else 'inner',
                          line, name[0] if name else '?'))
            head = ''
        elif c == '}':
            kind, start, name = stack.pop() if stack else ('scope', line, '')
            if kind == 'function':
                yield name, start, line - start + 1
            head = ''
        elif c == ';':
            head = ''
        else:
            head += c


def main(folders):
    over = 0
    files = sorted(p for f in folders for p in Path(f).rglob('*') if p.suffix in ('.h', '.cpp'))
    longest_file, longest_function = (0, ''), (0, '')
    for path in files:
        text = path.read_text(encoding='utf-8', errors='replace')
        lines = text.count('\n')
        longest_file = max(longest_file, (lines, str(path)))
        if lines > MAX_FILE:
            print(f'{path}: {lines} lines')
            over += 1
        for name, start, length in functions(text):
            longest_function = max(longest_function, (length, f'{path}:{start} {name}'))
            if length > MAX_FUNCTION:
                print(f'{path}:{start}: {name} has {length} lines')
                over += 1
    print(f'{len(files)} files; longest file {longest_file[0]} lines ({longest_file[1]}); '
          f'longest function {longest_function[0]} lines ({longest_function[1]}); '
          f'{over} over the limits')
    return 1 if over else 0


if __name__ == '__main__':
    sys.exit(main(sys.argv[1:] or ['src', 'tools']))
