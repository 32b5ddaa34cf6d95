#!/usr/bin/env python3
"""Prints the case pairs of code page 936 as ranges for core/gbk_case_fold.cpp.

Each double-byte character whose simple lower-case form is another double-byte character of the
code page is a pair; runs of pairs with one distance between their codes become one range.
"""


def pairs():
    for lead in range(0x81, 0xFF):
        for trail in range(0x40, 0xFF):
            if trail == 0x7F:
                continue
            code = bytes([lead, trail])
            try:
                upper = code.decode("cp936")
                lower = upper.lower()
                if len(lower) != 1 or lower == upper:
                    continue
                folded = lower.encode("cp936")
            except UnicodeError:
                continue
            if len(folded) == 2:
                yield int.from_bytes(code, "big"), int.from_bytes(folded, "big"), upper + lower


def ranges():
    current = None
    for code, folded, letters in pairs():
        if current and code == current[1] + 1 and folded - code == current[2]:
            current = (current[0], code, current[2], current[3] + " " + letters)
            continue
        if current:
            yield current
        current = (code, code, folded - code, letters)
    if current:
        yield current


if __name__ == "__main__":
    for first, last, distance, letters in ranges():
        sign = "-" if distance < 0 else ""
        print(f"    {{0x{first:04X}, 0x{last:04X}, {sign}0x{abs(distance):02X}}},  // {letters}")
