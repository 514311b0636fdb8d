#!/usr/bin/env python3
"""Values holding double quotes, written by Python's csv module, go through
zumaro-convert and come back unchanged in the fields it does not convert, as
csv.reader reads the output and the file of unmatched records.

  tools/csv_quotes_roundtrip.py CONVERT DATA_DIR
"""
import csv
import io
import subprocess
import sys
import tempfile
from pathlib import Path

NOTES = ['a"b', '"', '""', 'say "hi", then go', '"quoted\r\nover two lines"', 'plain', '']
ADDRESSES = [
    ('131-0045', 'ﾄｳｷﾖｳﾄ', 'ﾐﾄﾞﾘｸﾎﾝﾁﾖｳ1-2-3', ''),  # matched
    ('131-0045', 'ﾄｳｷﾖｳﾄ', 'ｷﾀｸ1', 'ﾊｲﾂ"1"'),        # unmatched
]


def rows():
    out = [['番号"', '郵便番号', '都道府県', '住所', '建物', '備考']]
    for i, note in enumerate(NOTES):
        postal, pref, city, building = ADDRESSES[i % 2]
        out.append([f'{i + 1}"{i + 1}"', postal, pref, city, building, note])
    return out


def write_list(path, encoding, quoting):
    with open(path, 'w', encoding=encoding, newline='') as f:
        csv.writer(f, quoting=quoting, lineterminator='\r\n').writerows(rows())


def read_rows(path, encoding):
    with open(path, encoding=encoding, newline='') as f:
        return list(csv.reader(f))


def check(convert, data_dir, work, encoding, quoting):
    listed = work / 'list.csv'
    write_list(listed, encoding, quoting)
    result = subprocess.run(
        [convert, '-i', listed, '-o', work / 'out.csv', '--unmatched', work / 'left.csv', '--header',
         '-n', '6', '--postal', '2', '--pref', '3', '--city', '4', '--building', '5', '--data-dir', data_dir],
        capture_output=True, text=True)
    if result.returncode != 0:
        return [f'{encoding}: zumaro-convert failed: {result.stderr}']
    expected = rows()
    out = read_rows(work / 'out.csv', encoding)
    left = read_rows(work / 'left.csv', encoding)
    faults = []
    if out[0] != expected[0] or left[0] != expected[0]:
        faults.append(f'{encoding}: the header changed')
    if len(out) != len(expected):
        faults.append(f'{encoding}: {len(out) - 1} records written of {len(expected) - 1}')
    for want, got in zip(expected[1:], out[1:]):
        if len(got) != len(want) or (got[0], got[5]) != (want[0], want[5]):
            faults.append(f'{encoding}: unconverted fields {want[0]!r}, {want[5]!r} came back as {got!r}')
    unmatched = [r for i, r in enumerate(expected[1:]) if i % 2 == 1]
    if left[1:] != unmatched:
        faults.append(f'{encoding}: the unmatched records are not as read: {left[1:]!r}')
    return faults


def main():
    convert, data_dir = sys.argv[1], sys.argv[2]
    faults = []
    with tempfile.TemporaryDirectory() as folder:
        for encoding in ('cp932', 'utf-8-sig'):
            for quoting in (csv.QUOTE_ALL, csv.QUOTE_MINIMAL):
                faults += check(convert, data_dir, Path(folder), encoding, quoting)
    for fault in faults:
        print(fault)
    print('quotes round trip:', 'FAILED' if faults else f'{len(NOTES)} records in 4 lists unchanged')
    return 1 if faults else 0


if __name__ == '__main__':
    sys.exit(main())
