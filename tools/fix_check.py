#!/usr/bin/env python3
"""How well zumaro-convert --fix-postal-code fixes the postal codes of real addresses.

Takes real KEN_ALL addresses (the same random rows and block numbers as
tools/roundtrip.py, written as old lists do), writes them in four lists and
converts each with `zumaro-convert --fix-postal-code --report PATH`:

  other-district (a)  a wrong but existing code of a town in another postal district (its
                      first three digits differ from the right code's), written, chosen at
                      random per record, as 231-0062, 2310062, 〒231-0062 or ２３１－００６２
  empty          (b)  an empty postal-code field
  pre-1998       (c)  the code of before 1998, KEN_ALL's second column: "23101" as 231-01 for
                      one half of such records, as 231 for the other; "231  " as 231
  town-slip      (d)  the right code, one kana of the town area's reading (with its voiced
                      mark) changed, dropped or doubled; the city reading is never touched

For (a)-(c), per record: fixed right (the record with the right code in the
record's notation -- the new digits in place of the old, in their width, 〒 and
hyphen kept; 231-0062 where the field was empty or pre-1998 -- and the written
prefecture, city, town area and full-width block), left as read (the record
exactly as read) or fixed wrong (anything else); and suggested right (a report
row suggests the right code). A written address that KEN_ALL gives several
codes (a town split by block ranges) cannot be fixed for certain: such records
are "not fixable", counted apart and left out of the shares.

For (d): codes changed (must be 0), converted wrong, converted by its own town
(the text follows an entry's whole reading, as a doubled last kana does; the
rest is kept as the record's text), and right suggestions (a report row with
the record's own code and its written prefecture, city and town area), as a
share of the records; then the slips -- records whose text follows the closest
address entry of their own code through the city and at least half of that
entry's town-area reading, but no entry's whole reading -- and how many of them
were suggested right. Readings are compared unit by unit in large kana, as
the data holds them, without the ﾁﾖｳ/ﾏﾁ rule of 町: a kana slipped inside the
ﾁﾖｳ of 越智町 still leaves most of the town area agreeing.

Prints a table per kind of scenario, with rows per notation, old-code form and
kind of slip; per list the summary line and the report rows by reason, how the
records that are not fixable and those read alike with another written
address (月の輪 and 月輪) came out, and with --fix-postal-code the records fixed
wrong only by the notation of the code and those whose code changed without a
postal-code-fixed row naming the new code; then the first misses of each kind
with the report rows and the data entries of the codes involved.

Usage:
  python3 tools/fix_check.py --ken-all KEN_ALL_ZIP --data-dir DIR --convert EXE
      [--count 2000] [--seed 1] [--work DIR] [--scenarios other-district,...]
      [--extra-args ARGS] [--no-fix] [--misses 5]
--no-fix converts without --fix-postal-code, to measure the suggestions of a
program that has no such option. A program that refuses --fix-postal-code is
told apart (exit status 2). Standard library only. tools/roundtrip.sh
--fix-check runs it.
"""

import argparse
import collections
import os
import random
import re
import shlex
import sys
import tempfile
import unicodedata

from report_check import code_towns, parse_report
from roundtrip import TO_FULL_WIDTH, entries_of, read_ken_all
from roundtrip_forms import (CONVERT_FIELDS, FormList, large, run_conversion, sample_addresses, town_rows,
                             write_records)

SCENARIOS = ['other-district', 'empty', 'pre-1998', 'town-slip']
LABELS = {'other-district': '(a) other district', 'empty': '(b) empty', 'pre-1998': '(c) pre-1998',
          'town-slip': '(d) town slip'}
NOTATIONS = ['ddd-dddd', 'ddddddd', '〒ddd-dddd', 'full width']
FIX_OPTION = '--fix-postal-code'
HALF_DIGITS, FULL_DIGITS = '0123456789', '０１２３４５６７８９'
KANA_UNIT = re.compile('[ｦｱ-ﾝ][ﾞﾟ]?')
PLAIN_KANA = 'ｱｲｳｴｵｶｷｸｹｺｻｼｽｾｿﾀﾁﾂﾃﾄﾅﾆﾇﾈﾉﾊﾋﾌﾍﾎﾏﾐﾑﾒﾓﾔﾕﾖﾗﾘﾙﾚﾛﾜﾝ'
SLIPS = ['changed', 'dropped', 'doubled']
OLD_FORMS = ['ddd-dd', 'ddd']


def written_code(code, notation):
    hyphenated = code[:3] + '-' + code[3:]
    return {'ddd-dddd': hyphenated, 'ddddddd': code, '〒ddd-dddd': '〒' + hyphenated,
            'full width': hyphenated.translate(TO_FULL_WIDTH)}[notation]


def code_digits(field):
    """The digits of a postal-code field, full-width ones as ASCII."""
    return ''.join(HALF_DIGITS[FULL_DIGITS.index(c)] if c in FULL_DIGITS else c
                   for c in field if c in HALF_DIGITS or c in FULL_DIGITS)


def in_notation(field, code):
    """code written as field writes its own code: each digit replaced in turn, in its width; a
    field without seven digits (empty, a code of before 1998) gets ddd-dddd."""
    if len(code_digits(field)) != 7:
        return code[:3] + '-' + code[3:]
    new = iter(code)
    return ''.join(next(new) if c in HALF_DIGITS else next(new).translate(TO_FULL_WIDTH) if c in FULL_DIGITS
                   else c for c in field)


def other_district_codes(addresses, towns, candidates, seed):
    """A code for each address from another postal district, none of whose towns is the address's."""
    rng = random.Random('other-district/%d' % seed)
    codes = sorted(candidates)
    districts = {c[:3] for c in codes}
    picked = []
    for a in addresses:
        if districts <= {a.code[:3]}:
            raise ValueError('no code of another postal district than %s' % a.code)
        while True:
            code = rng.choice(codes)
            if code[:3] != a.code[:3] and (a.pref, a.city, a.town) not in towns[code]:
                picked.append(code)
                break
    return picked


def pre_1998_codes(addresses, seed):
    """(field, form) per address: a 5-digit old code as ddd-dd for a random half of them and as ddd
    for the other, a 3-digit one as ddd."""
    rng = random.Random('pre-1998/%d' % seed)
    five = [n for n, a in enumerate(addresses) if len(a.old_code) == 5]
    dashed = set(rng.sample(five, len(five) // 2))
    return [(a.old_code[:3] + '-' + a.old_code[3:], 'ddd-dd') if n in dashed else (a.old_code[:3], 'ddd')
            for n, a in enumerate(addresses)]


def slip_reading(reading, rng):
    """(reading with one kana changed, dropped or doubled, which of those). A kana's voiced mark goes
    with it; a changed kana becomes another large kana."""
    unit = rng.choice(list(KANA_UNIT.finditer(reading)))
    kind = rng.choice(SLIPS)
    new = {'changed': lambda: rng.choice([k for k in PLAIN_KANA if k != unit.group()]),
           'dropped': lambda: '', 'doubled': lambda: unit.group() * 2}[kind]()
    return reading[:unit.start()] + new + reading[unit.end():], kind


def closest_entry(text, entries):
    """(closest entry, slip, followed) for the text of a record after its prefecture. The closest is
    the entry whose city and town-area readings the text follows furthest (the first of equals); a
    slip agrees with it through the city and at least half of its town area; followed: the text
    follows some entry's whole reading, and so is converted rather than reported."""
    best, agreed, followed = None, -1, False
    for e in entries:
        reading = e[7] + e[8]
        n = len(os.path.commonprefix([text, reading]))
        followed = followed or n == len(reading)
        if n > agreed:
            best, agreed = e, n
    if best is None:
        return None, False, False
    town = agreed - len(best[7])
    return best, not followed and town >= 0 and 2 * town >= len(best[8]), followed


class Case:
    """One record of a scenario: what it was made of, what it should come out as."""

    def __init__(self, address, record, group, expected=None, own_town=None, wrong_code=None):
        self.address, self.record, self.group = address, record, group
        self.expected, self.own_town, self.wrong_code = expected, own_town, wrong_code


def make_cases(scenario, addresses, rows, seed):
    """The records of a scenario, in the old-list form, each with its group and expectation."""
    records = FormList('old', addresses, seed, {}).records
    rng = random.Random('%s/%d' % (scenario, seed))
    if scenario == 'other-district':
        codes = other_district_codes(addresses, code_towns(rows), {r[2] for r in town_rows(rows)}, seed)
        made = [(written_code(c, x), x, c) for c, x in zip(codes, (rng.choice(NOTATIONS) for _ in codes))]
    elif scenario == 'empty':
        made = [('', 'empty', None)] * len(addresses)
    elif scenario == 'pre-1998':
        made = [(field, form, None) for field, form in pre_1998_codes(addresses, seed)]
    elif scenario != 'town-slip':
        raise ValueError('unknown scenario ' + scenario)
    cases = []
    for n, (a, record) in enumerate(zip(addresses, records)):
        if scenario == 'town-slip':
            town = large(a.town_reading)
            slipped, kind = slip_reading(town, rng)
            record[3] = large(a.city_reading) + slipped + a.block
            # A doubled last kana leaves the whole town reading in front: its entry applies, the rest kept.
            own = None
            if slipped.startswith(town):
                own = [a.pref, a.city + a.town + full_width(slipped[len(town):] + a.block)]
            cases.append(Case(a, record, kind, own_town=own))
            continue
        field, group, wrong = made[n]
        record[1] = field
        expected = [record[0], in_notation(field, a.code), a.pref, a.expected_city()] + record[4:]
        cases.append(Case(a, record, group, expected, wrong_code=wrong))
    return cases


def full_width(text):
    return unicodedata.normalize('NFKC', text).translate(TO_FULL_WIDTH)


def fix_outcome(case, out):
    """'fixed right', 'left as read' or 'fixed wrong'."""
    if out == case.expected:
        return 'fixed right'
    return 'left as read' if out == case.record else 'fixed wrong'


def slip_outcome(case, out):
    """'code changed', 'left as read', 'own town' (converted by its own town's entry, the rest kept) or
    'converted wrong'."""
    if out[1] != case.record[1]:
        return 'code changed'
    if out == case.record:
        return 'left as read'
    if case.own_town and out[2:4] == case.own_town and out[:2] + out[4:] == case.record[:2] + case.record[4:]:
        return 'own town'
    return 'converted wrong'


def suggested_right(case, rows, town=False):
    """Whether a report row of the record suggests its right code (and, with town, its written town)."""
    a = case.address
    return any(r['suggested_postal_code'] == a.code
               and (not town or r['suggested_address'] == a.pref + a.city + a.town) for r in rows)


def written_codes(rows):
    """For each written address (prefecture, city, town area), the codes KEN_ALL gives it."""
    codes = collections.defaultdict(set)
    for r in rows:
        codes[(r[6], r[7], r[8].split('（')[0])].add(r[2])
    return codes


def written(a):
    return a.pref, a.city, a.town


def fixable(case, codes):
    """Whether one code alone is right for the record's written address."""
    return len(codes[written(case.address)]) == 1


def read_alike(rows):
    """The written addresses whose reading another written address shares (大堀 and 大保里): no
    reading search can tell which is meant."""
    written = collections.defaultdict(set)
    for r in rows:
        town = (r[6], r[7], r[8].split('（')[0])
        written[(large(r[3]), large(r[4]), large(r[5].split('(')[0]))].add(town)
    return {t for ts in written.values() if len(ts) > 1 for t in ts}


class Result:
    """One scenario's conversion, its outcome per record and the report rows per record."""

    def __init__(self, scenario, cases, run, report_rows):
        self.scenario, self.cases, self.run = scenario, cases, run
        self.rows = collections.defaultdict(list)
        for r in report_rows:
            self.rows[r['record']].append(r)
        self.reasons = collections.Counter(r['reason'] for r in report_rows)


def label(scenario, group=None):
    return LABELS[scenario] if group is None else LABELS[scenario][:3] + ' ' + group


def share(count, total):
    return '%.2f %% (%d)' % (100.0 * count / total if total else 0.0, count)


def fix_rows(result, codes):
    """Table rows of a scenario (a)-(c): the whole, then one per group; and how the records that are
    not fixable came out."""
    per_group = collections.defaultdict(list)
    unfixable = collections.Counter()
    for n, (case, out) in enumerate(zip(result.cases, result.run.converted), 1):
        outcome = None
        if fixable(case, codes):
            outcome = (fix_outcome(case, out), suggested_right(case, result.rows[str(n)]))
        else:
            unfixable['left as read' if out == case.record else 'given one of its codes'
                      if code_digits(out[1]) in codes[written(case.address)] else 'other'] += 1
        per_group[None].append(outcome)
        per_group[case.group].append(outcome)
    lines = []
    for group in [None] + [g for g in NOTATIONS + OLD_FORMS if g in per_group and len(per_group) > 2]:
        outcomes = per_group[group]
        counted = [o for o in outcomes if o is not None]
        kinds = [sum(1 for o in counted if o[0] == k) for k in ('fixed right', 'left as read', 'fixed wrong')]
        lines.append('| %s | %d | %d | %s | %s |' % (
            label(result.scenario, group), len(outcomes), len(outcomes) - len(counted),
            ' | '.join(share(c, len(counted)) for c in kinds), share(sum(1 for o in counted if o[1]), len(counted))))
    return lines, unfixable


def slip_rows(result, entries):
    """Table rows of scenario (d): the whole, then one per kind of slip."""
    per_group = collections.defaultdict(list)
    for n, (case, out) in enumerate(zip(result.cases, result.run.converted), 1):
        slip = closest_entry(case.record[3], address_entries(entries, case.address.code))[1]
        outcome = (slip_outcome(case, out), suggested_right(case, result.rows[str(n)], town=True), slip)
        per_group[None].append(outcome)
        per_group[case.group].append(outcome)
    lines = []
    for group in [None] + [g for g in SLIPS if g in per_group and len(per_group) > 2]:
        outcomes = per_group[group]
        slips = [o for o in outcomes if o[2]]
        kinds = [sum(1 for o in outcomes if o[0] == k) for k in ('code changed', 'converted wrong', 'own town')]
        lines.append('| %s | %d | %d | %d | %d | %s | %d | %s |' % (
            label(result.scenario, group), len(outcomes), *kinds,
            share(sum(1 for o in outcomes if o[1]), len(outcomes)), len(slips),
            share(sum(1 for o in slips if o[1]), len(slips))))
    return lines


def address_entries(entries, code):
    """The address entries of a code (business entries name a company)."""
    return [e for e in entries.get(code, []) if not e[5]]


def misses_of(result, entries, codes, count, fixing=True):
    """{kind: [(record number, case, out)]}, the first misses of each kind; without fixing, a record
    left as read is a miss only when the report did not suggest its right code."""
    found = collections.defaultdict(list)
    for n, (case, out) in enumerate(zip(result.cases, result.run.converted), 1):
        a = case.address
        if result.scenario == 'town-slip':
            kind = slip_outcome(case, out)
            if kind == 'left as read':
                if suggested_right(case, result.rows[str(n)], town=True):
                    continue
                slip = closest_entry(case.record[3], address_entries(entries, a.code))[1]
                kind = 'slip not suggested right' if slip else 'not suggested right'
            elif kind == 'own town':
                continue
        else:
            if not fixable(case, codes):
                continue
            kind = fix_outcome(case, out)
            if kind == 'left as read':
                right = suggested_right(case, result.rows[str(n)])
                if right and not fixing:
                    continue
                kind += ', right code suggested' if right else ', right code not suggested'
            elif kind == 'fixed right':
                continue
        if len(found[kind]) < count:
            found[kind].append((n, case, out))
    return found


def notation_only(case, out):
    """Whether out is the fixed record but for the way its code is written."""
    return out[2:] == case.expected[2:] and out[0] == case.expected[0] and code_digits(out[1]) == case.address.code


def fix_reported(case, out, report_rows):
    """Whether a record whose postal code the run changed has its postal-code-fixed row, naming the new
    code; a record whose code stayed needs none."""
    return out[1] == case.record[1] or any(r['reason'] == 'postal-code-fixed'
                                           and r['suggested_postal_code'] == code_digits(out[1]) for r in report_rows)


def show_entries(entries, code, indent='    ', limit=8):
    listed = entries.get(code, [])
    lines = ['%sentry %s %s|%s|%s  read %s|%s' % (indent, e[0], e[1], e[2], e[3], e[7], e[8])
             for e in listed[:limit]]
    if len(listed) > limit:
        lines.append('%s... %d entries more' % (indent, len(listed) - limit))
    return lines or ['%s(no entry of %s)' % (indent, code)]


def codes_involved(case, out, report_rows):
    codes = [case.address.code, case.wrong_code, code_digits(out[1])]
    codes += [r['suggested_postal_code'] for r in report_rows]
    return [c for n, c in enumerate(codes) if c and len(c) == 7 and c not in codes[:n]]


def describe(case, out):
    """The record as read, what it should have come out as, and what it came out as."""
    a = case.address
    right = ' '.join(case.expected[1:4]) if case.expected else '%s %s%s%s' % (a.code, a.pref, a.city, a.town)
    return '%s %s %s  right %s  got %s %s %s' % (case.record[1] or '(empty)', case.record[2], case.record[3],
                                               right, out[1] or '(empty)', out[2], out[3])


def refuses_fix(run):
    """Whether the program refused the run for not knowing --fix-postal-code."""
    return run.refused and FIX_OPTION in run.failure.partition(' (exit status')[0]


def main():
    ap = argparse.ArgumentParser(description=__doc__.split('\n\n')[0])
    ap.add_argument('--ken-all', required=True)
    ap.add_argument('--data-dir', required=True)
    ap.add_argument('--convert', required=True)
    ap.add_argument('--count', type=int, default=2000)
    ap.add_argument('--seed', type=int, default=1)
    ap.add_argument('--work', default=None)
    ap.add_argument('--scenarios', default=','.join(SCENARIOS))
    ap.add_argument('--extra-args', default='')
    ap.add_argument('--no-fix', action='store_true')
    ap.add_argument('--misses', type=int, default=5)
    args = ap.parse_args()
    scenarios = args.scenarios.split(',')
    unknown = [s for s in scenarios if s not in SCENARIOS]
    if unknown:
        sys.exit('--scenarios: unknown scenario %s (scenarios: %s)'
                 % (', '.join(unknown), ', '.join(SCENARIOS)))

    rows = read_ken_all(args.ken_all)
    addresses, pool = sample_addresses(rows, args.count, args.seed)
    codes_of, alike_towns = written_codes(rows), read_alike(rows)
    work = args.work or tempfile.mkdtemp(prefix='zumaro-fix-')
    os.makedirs(work, exist_ok=True)
    fix = [] if args.no_fix else [FIX_OPTION]
    print('seed %d: %d of %d rows that name a town area taken; lists in %s'
          % (args.seed, len(addresses), pool, work))
    print('%s %s' % (args.convert, '(--no-fix: without %s, the report only)' % FIX_OPTION if args.no_fix
                     else 'with ' + FIX_OPTION))

    results = []
    for scenario in scenarios:
        cases = make_cases(scenario, addresses, rows, args.seed)
        source, output, report = (os.path.join(work, scenario + ext) for ext in ('.csv', '.out.csv', '.report.csv'))
        write_records(source, [c.record for c in cases])
        options = ['--pref', '3', '--city', '4', '--report', report] + fix + shlex.split(args.extra_args)
        run = run_conversion(args.convert, source, output, args.data_dir, options, CONVERT_FIELDS)
        if fix and refuses_fix(run):
            print('\n%s does not know %s: it cannot fix postal codes yet. Give --no-fix to measure what its '
                  'report suggests.\n  %s' % (args.convert, FIX_OPTION, run.failure), file=sys.stderr)
            return 2
        if run.failure:
            print('failed: %s: %s' % (scenario, run.failure), file=sys.stderr)
            return 2 if run.refused else 1
        with open(report, 'rb') as f:
            results.append(Result(scenario, cases, run, parse_report(f.read())))

    codes = {c.address.code for r in results for c in r.cases} | {c.wrong_code for r in results for c in r.cases}
    codes |= {code_digits(out[1]) for r in results for out in r.run.converted}
    codes |= {row['suggested_postal_code'] for r in results for rs in r.rows.values() for row in rs}
    entries = entries_of(args.data_dir, codes)

    fixing = [r for r in results if r.scenario != 'town-slip']
    unfixable = {}
    if fixing:
        print('\n| postal code | records | not fixable | fixed right | left as read | fixed WRONG | suggested right |')
        print('|---|---|---|---|---|---|---|')
        for r in fixing:
            lines, unfixable[r.scenario] = fix_rows(r, codes_of)
            print('\n'.join(lines))
    for r in results:
        if r.scenario == 'town-slip':
            print('\n| town area read | records | codes CHANGED | converted WRONG | converted, own town | '
                  'right suggestions | slips | slips suggested right |')
            print('|---|---|---|---|---|---|---|---|')
            print('\n'.join(slip_rows(r, entries)))
    print()
    for r in results:
        print('%s: %s; report rows %s' % (LABELS[r.scenario], r.run.summary, dict(sorted(r.reasons.items()))))
        if r.scenario in unfixable:
            print('    not fixable (the written address has several codes): %s' % dict(unfixable[r.scenario]))
            alike = collections.Counter(fix_outcome(c, out) for c, out in zip(r.cases, r.run.converted)
                                        if written(c.address) in alike_towns and fixable(c, codes_of))
            print('    fixable but read alike with another written address: %s' % dict(alike))
            if fix:
                print('    fixed wrong only by the notation of the right code: %d'
                      % sum(1 for c, out in zip(r.cases, r.run.converted) if fixable(c, codes_of)
                            and fix_outcome(c, out) == 'fixed wrong' and notation_only(c, out)))
        if fix:
            print('    code changed without a postal-code-fixed row naming the new code: %d'
                  % sum(1 for n, (c, out) in enumerate(zip(r.cases, r.run.converted), 1)
                        if not fix_reported(c, out, r.rows[str(n)])))

    for r in results:
        found = misses_of(r, entries, codes_of, args.misses, bool(fix))
        for kind in sorted(found):
            print('\n== %s: %s' % (LABELS[r.scenario], kind))
            for n, case, out in found[kind]:
                print('record %d (%s): %s' % (n, case.group, describe(case, out)))
                for row in r.rows.get(str(n), []):
                    print('    report %s  suggested %s %s  %s' % (row['reason'], row['suggested_postal_code'],
                                                                 row['suggested_address'], row['message']))
                for code in codes_involved(case, out, r.rows.get(str(n), [])):
                    print('\n'.join(show_entries(entries, code)))
    return 0


if __name__ == '__main__':
    sys.exit(main())
