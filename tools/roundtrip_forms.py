#!/usr/bin/env python3
"""Round trip of real KEN_ALL addresses written in the many ways real lists write them.

Takes the same random address rows as tools/roundtrip.py (same pool, same seed
gives the same addresses and block numbers), writes every address in each form
below (the forms marked (*) take addresses of their own), one list per form,
converts each list with zumaro-convert and prints per form how many records
were converted exactly, left as read, or converted wrong, with the first
misses and the data entries of their postal codes.

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
  gun-omitted   the district left out of X郡Y (*)             ﾅｶﾞﾉﾊﾗﾏﾁｶﾜﾗﾕ7 for 吾妻郡長野原町
  designated-omitted  the designated city left out of X市Y区 (*)  ﾐﾊﾗｸﾓｸｻﾞｲﾄﾞｵﾘ2-5 for 堺市美原区
  numbers-read  the town reading's digits read out in kana (*)  ﾊﾙﾐｻﾝｼﾞﾖｳｷﾀ for ﾊﾙﾐ3ｼﾞｮｳｷﾀ
  written-city  the city written, the town area read         水戸市ｼﾌﾞｲﾁﾖｳ10-1-101
  written       the whole address written, as a converted list  東大阪市北鴻池町１－２
  two-fields    city reading, town reading and block in a field of its own (--town 7)
                                                             "ﾖｺﾊﾏｼﾅｶｸ","ｻｸﾗｷﾞﾁﾖｳ1-1"
  gun-small-spaces  gun-omitted in small kana with spaces (*)  ﾅｶﾞﾉﾊﾗﾏﾁ ｶﾜﾗﾕ 7
  written-city-hiragana  the city written, the town area in hiragana  水戸市しぶいちょう10-1

Expected: the written prefecture, and the written city, town area and block
(full-width digits and －; 丁目/番/番地/号 for block-words); the district or
designated city left out is written back. For shared, the one field holds all
of it; for two-fields the city field holds the written city and the town field
the written town area and block. "Left as read": the address fields come out
as written, or, for the written form, whose output is its input, the record is
among those --unmatched lists.

Numbers are read as people read them, chosen at random per number: 1 ｲﾁ, 4 ﾖﾝ
(ﾖ, ｼ before 条), 7 ﾅﾅ ｼﾁ, 9 ｷｭｳ (ｸ before 条), 11-99 as tens and units
(ﾆｼﾞｭｳｻﾝ), and 1, 6, 8, 10 cut short before a voiceless kana (ｲｯｾﾝ, ﾛｯｸ,
ﾊｯﾁﾜﾘ, ｼﾞｭｯｾﾝ or ｼﾞｯｾﾝ); in large kana as the old form writes (ｷﾕｳ, ｼﾞﾕｳ,
ｲﾂ).

(*) The form takes only the rows it can write (X郡Y, X市Y区, a town reading
with digits), from the same pool, by its own seeded sample; forms of one rule
take the same addresses. A form with fewer such rows than --count takes all of
them. The other forms take the addresses of tools/roundtrip.py.

Usage:
  python3 tools/roundtrip_forms.py --ken-all KEN_ALL_ZIP --data-dir DIR --convert EXE
      [--count 3000] [--seed 1] [--work DIR] [--forms old,small,...]
      [--extra-args '--match classic'] [--form-args 'block-words=--blocks written' ...]
      [--misses 5]
--extra-args go to every conversion, --form-args FORM=ARGS only to that form's
(repeatable; the block-word and ｰ-hyphen forms get --blocks written and
two-fields --town 7 unless --form-args names them). Prints a table of the
forms, then a line per form: its addresses, the rows it could take them from
and zumaro-convert's summary line. A form whose options the program refuses
(exit status 2, e.g. an option it does not know yet) is shown as 0 % not
runnable, with the program's message; a conversion that fails otherwise makes
the exit status 1. Standard library only. tools/roundtrip.sh --forms runs it.
"""

import argparse
import os
import random
import re
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
        self.code, self.old_code = row[2], row[1].strip()
        self.pref_reading, self.city_reading = row[3], row[4]
        self.town_reading = row[5].split('(')[0]
        self.pref, self.city, self.town = row[6], row[7], row[8].split('（')[0]
        self.block = block

    def expected_city(self, block=None):
        return self.city + self.town + (block or self.block.translate(TO_FULL_WIDTH))


def town_rows(rows):
    """The rows tools/roundtrip.py takes addresses from: those that name one town area."""
    return [r for r, town in town_areas(rows) if names_a_town(r, town)]


# A district's town or village: not 郡山市, 蒲郡市, 大和郡山市, which are cities.
DISTRICT = re.compile(r'(.+?郡)(.+[町村])')
WARD = re.compile(r'(.+?)市(.+区)')


def omitted_head(pref, city, reading, stems):
    """The reading of the district (吾妻郡: ｱｶﾞﾂﾏｸﾞﾝ) or designated city (堺市: ｻｶｲｼ) in front of
    city, or None where city has none or its reading cannot be cut there."""
    district, ward = DISTRICT.fullmatch(city), WARD.fullmatch(city)
    stem = stems.get(pref + district.group(1)) if district else stems.get(ward.group(1)) if ward else None
    return stem if stem and reading.startswith(stem) and len(stem) < len(reading) else None


def has_digits(row):
    return re.search(r'[0-9]', row[5].split('(')[0]) is not None


def leaves_out(pattern):
    return lambda r, stems: pattern.fullmatch(r[7]) is not None and omitted_head(r[6], r[7], r[4], stems) is not None


# Which rows a form can write; the forms of one rule share their sample.
RULES = {'gun': leaves_out(DISTRICT), 'designated': leaves_out(WARD), 'digits': lambda r, stems: has_digits(r)}
FORM_RULES = {'gun-omitted': 'gun', 'gun-small-spaces': 'gun', 'designated-omitted': 'designated',
              'numbers-read': 'digits'}


def sample_addresses(rows, count, seed, rule=None, stems=None):
    """The addresses tools/roundtrip.py takes with the same seed, in postal-code order; with a
    rule, as many of the rows it admits, sampled on a seed of their own. Also the pool's size."""
    pool = town_rows(rows)
    if rule is None:
        rng = random.Random(seed)
    else:
        rng = random.Random('%s/%d' % (rule, seed))
        pool = [r for r in pool if RULES[rule](r, stems)]
    picked = [(r, block_number(rng)) for r in rng.sample(pool, min(count, len(pool)))]
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


def district_stems(prefecture_city_readings):
    """For each district, keyed by prefecture and district (新潟県三島郡 and 大阪府三島郡 read
    differently), its reading: the common head of its towns' readings, cut after its last ｸﾞﾝ
    (北群馬郡 is ｷﾀｸﾞﾝﾏｸﾞﾝ, not ｷﾀｸﾞﾝ)."""
    readings = {}
    for pref, city, reading in prefecture_city_readings:
        m = DISTRICT.fullmatch(city)
        if m:
            readings.setdefault(pref + m.group(1), set()).add(reading)
    stems = {}
    for name, rs in readings.items():
        head = os.path.commonprefix(sorted(rs))
        if 'ｸﾞﾝ' in head:
            stems[name] = head[:head.rindex('ｸﾞﾝ') + 3]
    return stems


UNITS = [['ｾﾞﾛ'], ['ｲﾁ'], ['ﾆ'], ['ｻﾝ'], ['ﾖﾝ'], ['ｺﾞ'], ['ﾛｸ'], ['ﾅﾅ', 'ｼﾁ'], ['ﾊﾁ'], ['ｷｭｳ']]
# Said only before 条 (ﾖｼﾞｮｳ, ｼｼﾞｮｳ, ｸｼﾞｮｳ): nobody says ﾖｾﾝ or ｸﾁｮｳﾒ.
BEFORE_JO = {4: ['ﾖ', 'ｼ'], 9: ['ｸ']}
TENS = ['', 'ｼﾞｭｳ', 'ﾆｼﾞｭｳ', 'ｻﾝｼﾞｭｳ', 'ﾖﾝｼﾞｭｳ', 'ｺﾞｼﾞｭｳ', 'ﾛｸｼﾞｭｳ', 'ﾅﾅｼﾞｭｳ', 'ﾊﾁｼﾞｭｳ', 'ｷｭｳｼﾞｭｳ']
HUNDREDS = ['', 'ﾋｬｸ', 'ﾆﾋｬｸ', 'ｻﾝﾋﾞｬｸ', 'ﾖﾝﾋｬｸ', 'ｺﾞﾋｬｸ', 'ﾛｯﾋﾟｬｸ', 'ﾅﾅﾋｬｸ', 'ﾊｯﾋﾟｬｸ', 'ｷｭｳﾋｬｸ']
THOUSANDS = ['', 'ｾﾝ', 'ﾆｾﾝ', 'ｻﾝｾﾞﾝ', 'ﾖﾝｾﾝ', 'ｺﾞｾﾝ', 'ﾛｸｾﾝ', 'ﾅﾅｾﾝ', 'ﾊｯｾﾝ', 'ｷｭｳｾﾝ']
# Cut short before a voiceless kana of these rows: ｲｯｾﾝ, ﾛｯｸ, ﾊｯﾁﾜﾘ, ｼﾞｭｯｾﾝ.
CLIPPED = {1: (['ｲｯ'], 'ｶｷｸｹｺｻｼｽｾｿﾀﾁﾂﾃﾄﾊﾋﾌﾍﾎ'), 6: (['ﾛｯ'], 'ｶｷｸｹｺﾊﾋﾌﾍﾎ'),
           8: (['ﾊｯ'], 'ｶｷｸｹｺｻｼｽｾｿﾀﾁﾂﾃﾄﾊﾋﾌﾍﾎ'), 10: (['ｼﾞｭｯ', 'ｼﾞｯ'], 'ｶｷｸｹｺｻｼｽｾｿﾀﾁﾂﾃﾄﾊﾋﾌﾍﾎ')}


def voiceless(text, row):
    """Whether text begins with a voiceless kana of row (ｾ, not ｾﾞ)."""
    return len(text) > 0 and text[0] in row and text[1:2] not in ('ﾞ', 'ﾟ')


def number_reading(number, after, rng):
    """number (0-9999) read out in half-width kana as people say it before the text after."""
    head = THOUSANDS[number // 1000 % 10] + HUNDREDS[number // 100 % 10]
    tens, units = number // 10 % 10, number % 10
    last = units if units else 10 if tens else None
    words = UNITS[units] if units else ['ｼﾞｭｳ'] if tens else []
    if units in BEFORE_JO and after.startswith('ｼﾞ'):
        words = words + BEFORE_JO[units]
    if last in CLIPPED and voiceless(after, CLIPPED[last][1]):
        words = words + CLIPPED[last][0]
    if not words:
        return head or UNITS[0][0]
    return head + (TENS[tens] if units else TENS[tens][:-4]) + rng.choice(words)


def numbers_read(reading, rng):
    """reading with each number read out; a clipped number before ﾊ-row kana sounds it as ﾊﾟ."""
    out, at = [], 0
    for m in re.finditer(r'[0-9]+', reading):
        after = reading[m.end():]
        said = number_reading(int(m.group()), after, rng)
        out.append(reading[at:m.start()] + said)
        at = m.end()
        if said.endswith('ｯ') and voiceless(after, 'ﾊﾋﾌﾍﾎ'):
            out.append(after[0] + 'ﾟ')
            at += 1
    return ''.join(out) + reading[at:]


def block_words(block):
    """1-2-3 as 1ﾁﾖｳﾒ2ﾊﾞﾝ3ｺﾞｳ, 12-3 as 12ﾊﾞﾝ3ｺﾞｳ, 2 as 2ﾊﾞﾝﾁ; with the written form."""
    parts = block.split('-')
    words = {3: ['ﾁﾖｳﾒ', 'ﾊﾞﾝ', 'ｺﾞｳ'], 2: ['ﾊﾞﾝ', 'ｺﾞｳ'], 1: ['ﾊﾞﾝﾁ']}[len(parts)]
    written = {'ﾁﾖｳﾒ': '丁目', 'ﾊﾞﾝ': '番', 'ｺﾞｳ': '号', 'ﾊﾞﾝﾁ': '番地'}
    read = ''.join(p + w for p, w in zip(parts, words))
    full = ''.join(p.translate(TO_FULL_WIDTH) + written[w] for p, w in zip(parts, words))
    return read, full


def write_form(form, a, rng, city_stems):
    """(postal code, address fields, expected address fields) of address a in form: the fields are
    (prefecture, city) or, for shared, the one field, for two-fields (prefecture, city, town)."""
    code = a.code[:3] + '-' + a.code[3:]
    pref, city, town, block = large(a.pref_reading), large(a.city_reading), large(a.town_reading), a.block
    expected = a.expected_city()
    full_block = block.translate(TO_FULL_WIDTH)
    if form in ('gun-omitted', 'designated-omitted', 'gun-small-spaces'):
        head = omitted_head(a.pref, a.city, a.city_reading, city_stems)
        if head is None:
            raise ValueError('%s: %s has no district or designated city to leave out' % (form, a.city))
        city = large(a.city_reading[len(head):])
        if form == 'gun-small-spaces':
            pref, city, town, block = a.pref_reading, a.city_reading[len(head):] + ' ', a.town_reading, ' ' + block
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
        return code, pref + city + town + block, a.pref + expected
    elif form == 'numbers-read':
        town = large(numbers_read(a.town_reading, rng))
    elif form in ('written-city', 'written-city-hiragana'):
        pref, city = a.pref, a.city
        if form == 'written-city-hiragana':
            town = hiragana(a.town_reading)
    elif form == 'written':
        return code, (a.pref, expected), (a.pref, expected)
    elif form == 'two-fields':
        return code, (pref, city, town + block), (a.pref, a.city, a.town + full_block)
    elif form not in ('old', 'gun-omitted', 'designated-omitted', 'gun-small-spaces'):
        raise ValueError('unknown form ' + form)
    return code, (pref, city + town + block), (a.pref, expected)


FORMS = ['old', 'small', 'spaces', 'fullwidth', 'hiragana', 'choon-hyphen', 'padded-code',
         'block-words', 'oaza', 'shared', 'gun-omitted', 'designated-omitted', 'numbers-read',
         'written-city', 'written', 'two-fields', 'gun-small-spaces', 'written-city-hiragana']
# Options a form needs to be read at all; --form-args FORM=... replaces them.
FORM_OPTIONS = {'block-words': ['--blocks', 'written'], 'choon-hyphen': ['--blocks', 'written'],
                'two-fields': ['--town', '7']}
# zumaro-convert's exit status for settings it refuses, unknown options included.
REFUSED = 2


class FormList:
    """One form's records and what each should come out as."""

    def __init__(self, form, addresses, seed, city_stems):
        rng = random.Random('%s/%d' % (form, seed))
        self.form = form
        self.records, self.expected = [], []
        for n, a in enumerate(addresses, 1):
            code, fields, expected = write_form(form, a, rng, city_stems)
            if form == 'shared':
                self.records.append(['%d' % n, code, fields, '', '', ''])
            else:
                self.records.append(['%d' % n, code, fields[0], fields[1], '', ''] + list(fields[2:]))
            self.expected.append(expected)

    def address_fields(self, record):
        if self.form == 'shared':
            return record[2]
        return (record[2], record[3], record[6]) if self.form == 'two-fields' else (record[2], record[3])

    def field_options(self):
        return ['--pref', '3', '--city', '3'] if self.form == 'shared' else ['--pref', '3', '--city', '4']

    def record_options(self):
        """The record's fields, the town field behind the six of the other forms."""
        return ['-n', '7'] + CONVERT_FIELDS[2:] if self.form == 'two-fields' else CONVERT_FIELDS

    def outcomes(self, converted, unmatched=()):
        """('exact' | 'as read' | 'wrong', record, expected, got) per record. unmatched: the numbers
        of the records --unmatched wrote, which tell a written record left as read from one converted."""
        for record, expected, out in zip(self.records, self.expected, converted):
            got, as_read = self.address_fields(out), self.address_fields(record)
            if got == expected and (expected != as_read or record[0] not in unmatched):
                kind = 'exact'
            else:
                kind = 'as read' if got == as_read else 'wrong'
            yield kind, record, expected, got


class Run:
    """One conversion: its records, those --unmatched wrote, its summary line, or why it failed."""

    def __init__(self, converted=None, unmatched=(), summary='', failure=None, refused=False):
        self.converted, self.unmatched, self.summary = converted, set(unmatched), summary
        self.failure, self.refused = failure, refused


def run_conversion(exe, source, output, data_dir, options, fields=CONVERT_FIELDS):
    unmatched_path = output + '.unmatched'
    command = ([exe, '-i', source, '-o', output, '--data-dir', data_dir, '--unmatched', unmatched_path]
               + fields + options)
    done = subprocess.run(command, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)
    messages = done.stderr.decode('utf-8', 'replace').splitlines()
    if done.returncode != 0:
        said = ' / '.join(m for m in messages if m.strip() and not m.startswith('郵便番号データ:'))
        return Run(failure='%s (exit status %d: %s)' % (said, done.returncode, shlex.join(command)),
                   refused=done.returncode == REFUSED)
    summary = next((m for m in reversed(messages) if m.startswith('読み込み')), '')
    return Run(read_csv(output), (r[0] for r in read_csv(unmatched_path)), summary)


def convert(exe, source, output, data_dir, options, fields=CONVERT_FIELDS):
    """The converted records, or None (and why on standard error) when the run failed."""
    run = run_conversion(exe, source, output, data_dir, options, fields)
    if run.failure:
        print('failed: ' + run.failure, file=sys.stderr)
    return run.converted


def write_records(path, records):
    write_csv(path, [(r, None) for r in records])


def parse_form_args(values):
    per_form = {}
    for v in values:
        form, _, options = v.partition('=')
        if form not in FORMS:
            sys.exit('--form-args: unknown form %s (forms: %s)' % (form, ', '.join(FORMS)))
        per_form[form] = per_form.get(form, []) + shlex.split(options)
    for form, options in FORM_OPTIONS.items():
        per_form.setdefault(form, options)
    return per_form


def first_misses(outcomes, count):
    """The first wrong ones, then the first left as read: count of each."""
    return [o for kind in ('wrong', 'as read') for o in [o for o in outcomes if o[0] == kind][:count]]


def show(value):
    return value if isinstance(value, str) else '|'.join(value)


def table_row(form, outcomes, run):
    if outcomes is None:
        return '| %s | 0.00 %% (0) %s | | |' % (form, 'not runnable' if run.refused else 'conversion failed')
    counts = [sum(1 for o in outcomes if o[0] == k) for k in ('exact', 'as read', 'wrong')]
    total = max(1, len(outcomes))
    return '| %s | %s |' % (form, ' | '.join('%.2f %% (%d)' % (100.0 * c / total, c) for c in counts))


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
    unknown = [f for f in forms if f not in FORMS]
    if unknown:
        sys.exit('--forms: unknown form %s (forms: %s)' % (', '.join(unknown), ', '.join(FORMS)))
    per_form = parse_form_args(args.form_args)

    rows = read_ken_all(args.ken_all)
    city_stems = ward_city_stems((r[7], r[4]) for r in rows)
    city_stems.update(district_stems((r[6], r[7], r[4]) for r in rows))
    samples = {None: sample_addresses(rows, args.count, args.seed)}
    for rule in sorted({FORM_RULES[f] for f in forms if f in FORM_RULES}):
        samples[rule] = sample_addresses(rows, args.count, args.seed, rule, city_stems)
    work = args.work or tempfile.mkdtemp(prefix='zumaro-forms-')
    os.makedirs(work, exist_ok=True)
    print('seed %d: %d of %d rows that name a town area taken; lists in %s'
          % (args.seed, len(samples[None][0]), samples[None][1], work))

    results = []
    for form in forms:
        addresses, pool = samples[FORM_RULES.get(form)]
        lst = FormList(form, addresses, args.seed, city_stems)
        source, output = os.path.join(work, form + '.csv'), os.path.join(work, form + '.out.csv')
        write_records(source, lst.records)
        options = lst.field_options() + shlex.split(args.extra_args) + per_form.get(form, [])
        run = run_conversion(args.convert, source, output, args.data_dir, options, lst.record_options())
        outcomes = None if run.failure else list(lst.outcomes(run.converted, run.unmatched))
        results.append((form, lst, options, pool, run, outcomes))

    print('\n| written as | converted exactly | left as read | converted WRONG |')
    print('|---|---|---|---|')
    for form, _, _, _, run, outcomes in results:
        print(table_row(form, outcomes, run))
    print()
    for form, lst, _, pool, run, _ in results:
        print('%s: %d addresses of %d rows; %s' % (form, len(lst.records), pool, run.failure or run.summary))

    shown = [(form, lst, options, first_misses(outcomes, args.misses))
             for form, lst, options, _, _, outcomes in results if outcomes]
    entries = entries_of(args.data_dir, {o[1][1].strip().replace('-', '') for _, _, _, m in shown for o in m})
    for form, lst, options, misses in shown:
        print('\n== %s (options: %s)' % (form, ' '.join(options)))
        for kind, record, expected, got in misses:
            print('%s: %s %s  expected %s  got %s'
                  % (kind, record[1], show(lst.address_fields(record)), show(expected), show(got)))
            for e in entries.get(record[1].strip().replace('-', ''), []):
                print('    entry %s|%s|%s  read %s|%s' % (e[2], e[3], e[4], e[7], e[8]))
    return 1 if any(run.failure and not run.refused for _, _, _, _, run, _ in results) else 0


if __name__ == '__main__':
    sys.exit(main())
