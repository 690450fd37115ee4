"""Code page 932 text as Namori's data files hold it, shared by the generators under tools/."""

# Windows and iconv write the IBM extension kanji with their IBM codes
# (0xFA40-0xFC4B); Python's cp932 codec picks the NEC-selected duplicates
# (0xED40-0xEEFC) instead.  Both decode alike, but the shipped files use the
# codes the program itself writes.
_IBM_EXTENSION_CODES = {}
for _lead in range(0xFA, 0xFD):
    for _trail in list(range(0x40, 0x7F)) + list(range(0x80, 0xFD)):
        _code = bytes((_lead, _trail))
        try:
            _IBM_EXTENSION_CODES.setdefault(_code.decode("cp932"), _code)
        except UnicodeDecodeError:
            pass


def encode_cp932(text):
    """Return text in code page 932, or None when it does not round-trip."""
    out = bytearray()
    for ch in text:
        try:
            code = ch.encode("cp932")
        except UnicodeEncodeError:
            return None
        if code.decode("cp932") != ch:
            return None
        if code[0] in (0xED, 0xEE):
            code = _IBM_EXTENSION_CODES.get(ch, code)
        out += code
    return bytes(out)
