#!/usr/bin/env python3
"""How often the report finds the right postal code of a record that carries a wrong one.

Takes real KEN_ALL addresses (the same random rows as tools/roundtrip.py),
writes them as old lists do, gives each a wrong but existing postal code (a
KEN_ALL code that names a town area, none of whose town areas is the address's
own), converts the list with `zumaro-convert --report PATH` and counts the
records for which a report row suggests the right code. Prints that count,
the report rows by reason and the first misses.

Usage:
  python3 tools/report_check.py --ken-all KEN_ALL_ZIP --data-dir DIR --convert EXE
      [--count 2000] [--seed 1] [--work DIR] [--extra-args ARGS] [--misses 5]
Standard library only. tools/roundtrip.sh --report-check runs it.
"""

import argparse
import collections
import csv
import io
import os
import random
import shlex
import sys
import tempfile

from roundtrip import read_ken_all
from roundtrip_forms import FormList, convert, sample_addresses, town_rows, write_records

REPORT_HEADER = ['record', 'line', 'reason', 'postal_code', 'address_as_read',
                 'suggested_postal_code', 'suggested_address', 'message']
BOM = b'\xef\xbb\xbf'


def parse_report(data):
    """The rows of a report (bytes) as dicts; ValueError where the format is not kept."""
    if not data.startswith(BOM):
        raise ValueError('no byte-order mark')
    text = data[len(BOM):].decode('utf-8')
    if text.replace('\r\n', '').count('\n') or text.replace('\r\n', '').count('\r'):
        raise ValueError('a line does not end in CR LF')
    if text and not text.endswith('\r\n'):
        raise ValueError('the last line does not end in CR LF')
    rows = list(csv.reader(io.StringIO(text, newline=''), strict=True))
    if not rows or rows[0] != REPORT_HEADER:
        raise ValueError('header is not %s' % ','.join(REPORT_HEADER))
    for n, row in enumerate(rows[1:], 2):
        if len(row) != len(REPORT_HEADER):
            raise ValueError('row %d has %d fields' % (n, len(row)))
    return [dict(zip(REPORT_HEADER, row)) for row in rows[1:]]


def code_towns(rows):
    towns = collections.defaultdict(set)
    for r in rows:
        towns[r[2]].add((r[6], r[7], r[8].split('（')[0]))
    return towns


def wrong_codes(addresses, towns, candidates, seed):
    """A code for each address, none of whose town areas is the address's own."""
    rng = random.Random('wrong/%d' % seed)
    codes = sorted(candidates)
    picked = []
    for a in addresses:
        while True:
            code = rng.choice(codes)
            if code != a.code and (a.pref, a.city, a.town) not in towns[code]:
                picked.append(code)
                break
    return picked


def found_right_code(report_rows, right_codes):
    """Record numbers (1-based) whose report rows suggest their right code."""
    return {int(r['record']) for r in report_rows
            if r['record'].isdigit() and 0 < int(r['record']) <= len(right_codes)
            and r['suggested_postal_code'] == right_codes[int(r['record']) - 1]}


def main():
    ap = argparse.ArgumentParser(description=__doc__.split('\n\n')[0])
    ap.add_argument('--ken-all', required=True)
    ap.add_argument('--data-dir', required=True)
    ap.add_argument('--convert', required=True)
    ap.add_argument('--count', type=int, default=2000)
    ap.add_argument('--seed', type=int, default=1)
    ap.add_argument('--work', default=None)
    ap.add_argument('--extra-args', default='')
    ap.add_argument('--misses', type=int, default=5)
    args = ap.parse_args()

    rows = read_ken_all(args.ken_all)
    addresses, _ = sample_addresses(rows, args.count, args.seed)
    lst = FormList('old', addresses, args.seed, {})
    for record, code in zip(lst.records, wrong_codes(addresses, code_towns(rows),
                                                                  {r[2] for r in town_rows(rows)}, args.seed)):
        record[1] = code[:3] + '-' + code[3:]
    work = args.work or tempfile.mkdtemp(prefix='zumaro-report-')
    os.makedirs(work, exist_ok=True)
    source, output, report = (os.path.join(work, n) for n in ('records.csv', 'converted.csv', 'report.csv'))
    write_records(source, lst.records)
    converted = convert(args.convert, source, output, args.data_dir,
                        lst.field_options() + ['--report', report] + shlex.split(args.extra_args))
    if converted is None:
        return 1
    with open(report, 'rb') as f:
        report_rows = parse_report(f.read())

    right = [a.code for a in addresses]
    found = found_right_code(report_rows, right)
    applied = sum(1 for rec, out in zip(lst.records, converted) if (out[2], out[3]) != (rec[2], rec[3]))
    print('seed %d: %d records with a wrong postal code; files in %s' % (args.seed, len(right), work))
    print('right code suggested: %d / %d = %.2f %%' % (len(found), len(right), 100.0 * len(found) / len(right)))
    print('converted anyway (an entry of the wrong code was applied): %d' % applied)
    print('report rows by reason: %s' % dict(collections.Counter(r['reason'] for r in report_rows)))
    by_record = collections.defaultdict(list)
    for r in report_rows:
        by_record[r['record']].append(r)
    misses = [n for n in range(1, len(right) + 1) if n not in found][:args.misses]
    for n in misses:
        rec = lst.records[n - 1]
        print('\nmiss: record %d %s %s %s  right code %s' % (n, rec[1], rec[2], rec[3], right[n - 1]))
        for r in by_record.get(str(n), []) or [{'reason': '(no report row)'}]:
            print('    %s  suggested %s %s  %s' % (r['reason'], r.get('suggested_postal_code', ''),
                                                    r.get('suggested_address', ''), r.get('message', '')))
    return 0


if __name__ == '__main__':
    sys.exit(main())
