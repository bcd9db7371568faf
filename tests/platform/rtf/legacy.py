#!/usr/bin/env python3
"""Fixture helpers for make-fixtures.sh.

trim IN OUT: copies an RTF file without its style sheet (the reader skips it; it is most of the
bytes of a word processor's file).

codepages IN FCHARSET ANSICPG932: rewrites a file whose text is \\uN characters with "?" stand-ins
the way writers without Unicode did: the bytes of each character in the code page of the
paragraph's font (\\fcharset) or of the document (\\ansicpg932). Trail bytes of double-byte
characters that are plain ASCII letters are written as such, as those writers did. The second file
holds the Russian and Japanese paragraphs only. The Japanese
paragraph of the first file keeps its \\uN characters with two-byte stand-ins under \\uc2 inside
its group; the next paragraph starts with a \\uN and one stand-in, so a \\uc that leaks out of a
group shows as lost text.
"""
import re
import sys


def groups(data, start):
    """End (exclusive) of the group that opens at start."""
    depth, i = 0, start
    while i < len(data):
        c = data[i]
        if c == '\\':
            i += 2
            continue
        if c == '{':
            depth += 1
        elif c == '}':
            depth -= 1
            if depth == 0:
                return i + 1
        i += 1
    return len(data)


def trim(src, dst):
    data = open(src, encoding='latin-1').read()
    at = data.find('{\\stylesheet')
    if at >= 0:
        data = data[:at] + data[groups(data, at):]
    open(dst, 'w', encoding='latin-1', newline='').write(data)


def escape(raw, lead_ok):
    out = []
    for k, b in enumerate(raw):
        literal = k > 0 and lead_ok and (0x40 <= b <= 0x7e) and chr(b) not in '\\{}'
        out.append(chr(b) if literal else "\\'%02x" % b)
    return ''.join(out)


def body_groups(data):
    """The text groups of the body: '{\\loch' or '{\\dbch' followed by a line of text."""
    return [m for m in re.finditer(r'\{\\(loch|dbch)\n([^{}]*)\}', data)]


def to_bytes(text, codepage):
    return text.encode('cp%d' % codepage)


def unicode_text(s):
    return re.sub(r"\\u(-?\d+)\\'3f", lambda m: chr(int(m.group(1)) % 65536), s)


def codepages(src, fcharset_dst, cp932_dst):
    data = open(src, encoding='latin-1').read()
    found = body_groups(data)
    # Paragraph order of the source: Russian, Greek, Japanese, simplified Chinese, Korean, traditional Chinese.
    fonts = [(20, 204, 1251, 'Cyrillic Sans'), (21, 161, 1253, 'Greek Sans'), (22, 128, 932, 'MS Mincho'),
             (23, 134, 936, 'SimSun'), (24, 129, 949, 'Batang'), (25, 136, 950, 'MingLiU')]
    out, last = [], 0
    for index, m in enumerate(found[:6]):
        number, charset, codepage, name = fonts[index]
        text = unicode_text(m.group(2))
        if index == 2:
            body = '\\uc2 ' + ''.join(
                ('\\u%d' % ord(c) + escape(to_bytes(c, codepage), True)) if ord(c) > 127 else c for c in text)
        elif index == 3:
            first = text[0]
            body = '\\u%d\\\'3f' % ord(first) + escape(to_bytes(text[1:], codepage), True)
        else:
            body = ''.join(escape(to_bytes(c, codepage), True) if ord(c) > 127 else c for c in text)
        out.append(data[last:m.start()])
        out.append('{\\%s\\f%d\n%s}' % (m.group(1), number, body))
        last = m.end()
    out.append(data[last:])
    result = ''.join(out)
    table = ''.join('{\\f%d\\fnil\\fcharset%d %s;}' % (n, cs, name) for n, cs, _, name in fonts)
    result = result.replace('{\\fonttbl', '{\\fonttbl' + table, 1)
    open(fcharset_dst, 'w', encoding='latin-1', newline='').write(result)

    # The whole document in code page 932: its Russian and Japanese paragraphs.
    def group(m):
        return '{\\%s\n%s}' % (m.group(1), escape(to_bytes(unicode_text(m.group(2)), 932), True))
    result = (data[:found[0].start()] + group(found[0]) + data[found[0].end():found[1].start()] + group(found[2]) +
              '\n\\par }')
    result = result.replace('\\ansi\\', '\\ansi\\ansicpg932\\', 1)
    # Fonts without a character set read in the document's code page (\fcharset0 is Western).
    table = result.index('{\\fonttbl')
    end = groups(result, table)
    result = result[:table] + result[table:end].replace('\\fcharset0', '') + result[end:]
    open(cp932_dst, 'w', encoding='latin-1', newline='').write(result)


if __name__ == '__main__':
    if sys.argv[1] == 'trim':
        trim(sys.argv[2], sys.argv[3])
    else:
        codepages(sys.argv[2], sys.argv[3], sys.argv[4])
