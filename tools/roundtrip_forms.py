#!/usr/bin/env python3
"""Round trip of real KEN_ALL addresses written in the many ways real lists write them.

Takes the same random address rows as tools/roundtrip.py (same pool, same seed
gives the same addresses and block numbers), writes every address in each form
below, one list per form, converts each list with zumaro-convert and prints per
form how many records were converted exactly, left as read, or converted wrong,
with the first misses and the data entries of their postal codes.

  old           large kana, no spaces, hyphenated block      ﾖｺﾊﾏｼﾅｶｸｻｸﾗｷﾞﾁﾖｳ1-1
  small         the readings as Japan Post publishes them   ｻｸﾗｷﾞﾁｮｳ
  spaces        spaces between city, ward, town area, block  ﾖｺﾊﾏｼ ﾅｶｸ ｻｸﾗｷﾞﾁﾖｳ 1-1
  fullwidth     full-width katakana and block                ヨコハマシナカクサクラギチョウ１－１
  hiragana      hiragana readings, ASCII block               よこはましなかくさくらぎちょう1-1
  choon-hyphen  ｰ as the block hyphen                        1ｰ2ｰ3
  padded-code   the postal code as 7 digits and two spaces   "2310062  "
  block-words   the block in words                           1ﾁﾖｳﾒ2ﾊﾞﾝ3ｺﾞｳ, 12ﾊﾞﾝ3ｺﾞｳ, 2ﾊﾞﾝﾁ
  oaza          ｵｵｱｻﾞ or ｱｻﾞ before the town-area reading
  shared        prefecture and city in one field (--pref = --city)

Expected: the written prefecture, and the written city, town area and block
(full-width digits and －; 丁目/番/番地/号 for block-words). For shared, the one
field holds all of it. "Left as read": the address fields come out as written.

Usage:
  python3 tools/roundtrip_forms.py --ken-all KEN_ALL_ZIP --data-dir DIR --convert EXE
      [--count 3000] [--seed 1] [--work DIR] [--forms old,small,...]
      [--extra-args '--match classic'] [--form-args 'block-words=--blocks written' ...]
      [--misses 5]
--extra-args go to every conversion, --form-args FORM=ARGS only to that form's
(repeatable; the block-word and ｰ-hyphen forms get --blocks written unless
--form-args names them). Standard library only. tools/roundtrip.sh --forms runs it.
"""

import argparse
import os
import random
import shlex
import subprocess
import sys
import tempfile
import unicodedata

from roundtrip import (SMALL_TO_LARGE, TO_FULL_WIDTH, block_number, entries_of, names_a_town,
                       read_csv, read_ken_all, town_areas, write_csv)

CONVERT_FIELDS = ['-n', '6', '--postal', '2', '--building', '5', '--company', '6']


class Address:
    """One sampled KEN_ALL address with its block number."""

    def __init__(self, row, block):
        self.code = row[2]
        self.pref_reading, self.city_reading = row[3], row[4]
        self.town_reading = row[5].split('(')[0]
        self.pref, self.city, self.town = row[6], row[7], row[8].split('（')[0]
        self.block = block

    def expected_city(self, block=None):
        return self.city + self.town + (block or self.block.translate(TO_FULL_WIDTH))


def town_rows(rows):
    """The rows tools/roundtrip.py takes addresses from: those that name one town area."""
    return [r for r, town in town_areas(rows) if names_a_town(r, town)]


def sample_addresses(rows, count, seed):
    """The addresses tools/roundtrip.py takes with the same seed, in postal-code order."""
    rng = random.Random(seed)
    pool = town_rows(rows)
    picked = [(r, block_number(rng)) for r in rng.sample(pool, count)]
    picked.sort(key=lambda p: p[0][2])
    return [Address(r, b) for r, b in picked], len(pool)


def large(text):
    return text.translate(SMALL_TO_LARGE)


def full_width_kana(text):
    """Half-width katakana (and ASCII digits, hyphen) in full width, voiced marks combined."""
    return unicodedata.normalize('NFKC', text).translate(TO_FULL_WIDTH)


def hiragana(text):
    kana = unicodedata.normalize('NFKC', text)
    # ゔ ゕ ゖ have no place in code page 932: those stay katakana.
    return ''.join(chr(ord(c) - 0x60) if 'ァ' <= c <= 'ヶ' and c not in 'ヴヵヶ' else c for c in kana)


def city_reading_parts(a, city_stems):
    """The city reading split before the ward (横浜市中区: ﾖｺﾊﾏｼ, ﾅｶｸ) or after the district
    (愛甲郡愛川町: ｱｲｺｳｸﾞﾝ, ｱｲｶﾜﾏﾁ) where it can be told."""
    if '郡' in a.city and 'ｸﾞﾝ' in a.city_reading[:-3]:
        cut = a.city_reading.index('ｸﾞﾝ') + 3
        return [a.city_reading[:cut], a.city_reading[cut:]]
    stem = city_stems.get(a.city.split('市')[0]) if '市' in a.city and a.city.endswith('区') else None
    if stem and a.city_reading.startswith(stem) and len(stem) < len(a.city_reading):
        return [stem, a.city_reading[len(stem):]]
    return [a.city_reading]


def ward_city_stems(addresses_or_rows):
    """For each designated city (the part before 市 of "X市Y区"), the reading of "X市":
    the common head of its wards' readings, cut after its last ｼ."""
    readings = {}
    for city, reading in addresses_or_rows:
        if '市' in city and city.endswith('区'):
            readings.setdefault(city.split('市')[0], set()).add(reading)
    stems = {}
    for name, rs in readings.items():
        head = os.path.commonprefix(sorted(rs))
        if len(rs) > 1 and 'ｼ' in head:
            stems[name] = head[:head.rindex('ｼ') + 1]
    return stems


def block_words(block):
    """1-2-3 as 1ﾁﾖｳﾒ2ﾊﾞﾝ3ｺﾞｳ, 12-3 as 12ﾊﾞﾝ3ｺﾞｳ, 2 as 2ﾊﾞﾝﾁ; with the written form."""
    parts = block.split('-')
    words = {3: ['ﾁﾖｳﾒ', 'ﾊﾞﾝ', 'ｺﾞｳ'], 2: ['ﾊﾞﾝ', 'ｺﾞｳ'], 1: ['ﾊﾞﾝﾁ']}[len(parts)]
    written = {'ﾁﾖｳﾒ': '丁目', 'ﾊﾞﾝ': '番', 'ｺﾞｳ': '号', 'ﾊﾞﾝﾁ': '番地'}
    read = ''.join(p + w for p, w in zip(parts, words))
    full = ''.join(p.translate(TO_FULL_WIDTH) + written[w] for p, w in zip(parts, words))
    return read, full


def write_form(form, a, rng, city_stems):
    """(postal code, prefecture field, city field, expected city field) of address a in form."""
    code = a.code[:3] + '-' + a.code[3:]
    pref, city, town, block = large(a.pref_reading), large(a.city_reading), large(a.town_reading), a.block
    expected = a.expected_city()
    if form == 'small':
        pref, city, town = a.pref_reading, a.city_reading, a.town_reading
    elif form == 'spaces':
        city = ' '.join(large(p) for p in city_reading_parts(a, city_stems)) + ' '
        block = ' ' + block
    elif form == 'fullwidth':
        pref, city, town, block = (full_width_kana(t) for t in (a.pref_reading, a.city_reading,
                                                                 a.town_reading, block))
    elif form == 'hiragana':
        pref, city, town = (hiragana(t) for t in (a.pref_reading, a.city_reading, a.town_reading))
    elif form == 'choon-hyphen':
        block = block.replace('-', 'ｰ')
    elif form == 'padded-code':
        code = a.code + '  '
    elif form == 'block-words':
        block, expected = block_words(block)[0], a.expected_city(block_words(block)[1])
    elif form == 'oaza':
        town = rng.choice(['ｵｵｱｻﾞ', 'ｱｻﾞ']) + town
    elif form == 'shared':
        return code, pref + city + town + block, '', a.pref + expected
    elif form != 'old':
        raise ValueError('unknown form ' + form)
    return code, pref, city + town + block, expected


FORMS = ['old', 'small', 'spaces', 'fullwidth', 'hiragana', 'choon-hyphen', 'padded-code',
         'block-words', 'oaza', 'shared']


class FormList:
    """One form's records and what each should come out as."""

    def __init__(self, form, addresses, seed, city_stems):
        rng = random.Random('%s/%d' % (form, seed))
        self.form = form
        self.records, self.expected = [], []
        for n, a in enumerate(addresses, 1):
            code, pref, city, expected_city = write_form(form, a, rng, city_stems)
            self.records.append(['%d' % n, code, pref, city, '', ''])
            self.expected.append(expected_city if form == 'shared' else (a.pref, expected_city))

    def address_fields(self, record):
        return record[2] if self.form == 'shared' else (record[2], record[3])

    def field_options(self):
        return ['--pref', '3', '--city', '3'] if self.form == 'shared' else ['--pref', '3', '--city', '4']

    def outcomes(self, converted):
        """('exact' | 'as read' | 'wrong', record, expected, got) per record."""
        for record, expected, out in zip(self.records, self.expected, converted):
            got = self.address_fields(out)
            kind = 'exact' if got == expected else 'as read' if got == self.address_fields(record) else 'wrong'
            yield kind, record, expected, got


def convert(exe, source, output, data_dir, options):
    """The converted records, or None (and the command on standard error) when the run failed."""
    command = [exe, '-q', '-i', source, '-o', output, '--data-dir', data_dir] + CONVERT_FIELDS + options
    if subprocess.run(command).returncode != 0:
        print('failed: ' + shlex.join(command), file=sys.stderr)
        return None
    return read_csv(output)


def write_records(path, records):
    write_csv(path, [(r, None) for r in records])


def parse_form_args(values):
    per_form = {}
    for v in values:
        form, _, options = v.partition('=')
        if form not in FORMS:
            sys.exit('--form-args: unknown form %s (forms: %s)' % (form, ', '.join(FORMS)))
        per_form[form] = per_form.get(form, []) + shlex.split(options)
    return per_form


def first_misses(outcomes, count):
    """The first wrong ones, then the first left as read: count of each."""
    return [o for kind in ('wrong', 'as read') for o in [o for o in outcomes if o[0] == kind][:count]]


def show(value):
    return value if isinstance(value, str) else '|'.join(value)


def main():
    ap = argparse.ArgumentParser(description=__doc__.split('\n\n')[0])
    ap.add_argument('--ken-all', required=True)
    ap.add_argument('--data-dir', required=True)
    ap.add_argument('--convert', required=True)
    ap.add_argument('--count', type=int, default=3000)
    ap.add_argument('--seed', type=int, default=1)
    ap.add_argument('--work', default=None)
    ap.add_argument('--forms', default=','.join(FORMS))
    ap.add_argument('--extra-args', default='')
    ap.add_argument('--form-args', action='append', default=[])
    ap.add_argument('--misses', type=int, default=5)
    args = ap.parse_args()
    forms = args.forms.split(',')
    per_form = parse_form_args(args.form_args)
    for form in ('block-words', 'choon-hyphen'):
        per_form.setdefault(form, ['--blocks', 'written'])

    rows = read_ken_all(args.ken_all)
    addresses, pool = sample_addresses(rows, args.count, args.seed)
    city_stems = ward_city_stems((r[7], r[4]) for r in rows)
    work = args.work or tempfile.mkdtemp(prefix='zumaro-forms-')
    os.makedirs(work, exist_ok=True)
    print('seed %d: %d of %d rows that name a town area taken; lists in %s'
          % (args.seed, len(addresses), pool, work))

    results = []
    for form in forms:
        lst = FormList(form, addresses, args.seed, city_stems)
        source, output = os.path.join(work, form + '.csv'), os.path.join(work, form + '.out.csv')
        write_records(source, lst.records)
        options = lst.field_options() + shlex.split(args.extra_args) + per_form.get(form, [])
        converted = convert(args.convert, source, output, args.data_dir, options)
        results.append((form, options, None if converted is None else list(lst.outcomes(converted))))

    total = len(addresses)
    print('\n| written as | converted exactly | left as read | converted WRONG |')
    print('|---|---|---|---|')
    for form, _, outcomes in results:
        if outcomes is None:
            print('| %s | conversion failed | | |' % form)
            continue
        counts = [sum(1 for o in outcomes if o[0] == k) for k in ('exact', 'as read', 'wrong')]
        print('| %s | %s |' % (form, ' | '.join('%.2f %% (%d)' % (100.0 * c / total, c) for c in counts)))

    shown = [(form, options, first_misses(outcomes, args.misses)) for form, options, outcomes in results if outcomes]
    entries = entries_of(args.data_dir, {o[1][1].strip().replace('-', '') for _, _, m in shown for o in m})
    for form, options, misses in shown:
        print('\n== %s (options: %s)' % (form, ' '.join(options)))
        for kind, record, expected, got in misses:
            print('%s: %s %s  expected %s  got %s'
                  % (kind, record[1], show((record[2], record[3])), show(expected), show(got)))
            for e in entries.get(record[1].strip().replace('-', ''), []):
                print('    entry %s|%s|%s  read %s|%s' % (e[2], e[3], e[4], e[7], e[8]))
    return 1 if any(outcomes is None for _, _, outcomes in results) else 0


if __name__ == '__main__':
    sys.exit(main())
