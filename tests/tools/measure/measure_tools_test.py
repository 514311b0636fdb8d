#!/usr/bin/env python3
"""The list writers of tools/roundtrip_forms.py, the report reader of tools/report_check.py and the
scenarios of tools/fix_check.py."""

import os
import random
import sys
import tempfile
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', '..', '..', 'tools'))

from roundtrip_forms import (FORMS, RULES, Address, FormList, block_words, district_stems, hiragana,  # noqa: E402
                             number_reading, numbers_read, run_conversion, sample_addresses, table_row,
                             ward_city_stems)
from report_check import found_right_code, parse_report  # noqa: E402
from roundtrip_forms import Run, large  # noqa: E402
from fix_check import (KANA_UNIT, NOTATIONS, closest_entry, fix_outcome, fix_reported, in_notation,  # noqa: E402
                       make_cases, refuses_fix, slip_outcome, written_code, written_codes)

# 横浜市中区桜木町 as KEN_ALL lists it (small kana in the readings).
ROW = ['14104', '231  ', '2310062', 'ｶﾅｶﾞﾜｹﾝ', 'ﾖｺﾊﾏｼﾅｶｸ', 'ｻｸﾗｷﾞﾁｮｳ', '神奈川県', '横浜市中区', '桜木町']
GUN_ROW = ['10424', '37713', '3771302', 'ｸﾞﾝﾏｹﾝ', 'ｱｶﾞﾂﾏｸﾞﾝﾅｶﾞﾉﾊﾗﾏﾁ', 'ｶﾜﾗﾕ', '群馬県', '吾妻郡長野原町', '川原湯']
DIGIT_ROW = ['01226', '07301', '0730113', 'ﾎｯｶｲﾄﾞｳ', 'ｽﾅｶﾞﾜｼ', 'ﾊﾙﾐ3ｼﾞｮｳｷﾀ', '北海道', '砂川市', '晴見三条北']
STEMS = ward_city_stems([('横浜市中区', 'ﾖｺﾊﾏｼﾅｶｸ'), ('横浜市西区', 'ﾖｺﾊﾏｼﾆｼｸ')])
STEMS.update(district_stems([('群馬県', '吾妻郡長野原町', 'ｱｶﾞﾂﾏｸﾞﾝﾅｶﾞﾉﾊﾗﾏﾁ'),
                             ('群馬県', '北群馬郡榛東村', 'ｷﾀｸﾞﾝﾏｸﾞﾝｼﾝﾄｳﾑﾗ'), ('群馬県', '北群馬郡吉岡町', 'ｷﾀｸﾞﾝﾏｸﾞﾝﾖｼｵｶﾏﾁ'),
                             ('新潟県', '三島郡出雲崎町', 'ｻﾝﾄｳｸﾞﾝｲｽﾞﾓｻﾞｷﾏﾁ'), ('大阪府', '三島郡島本町', 'ﾐｼﾏｸﾞﾝｼﾏﾓﾄﾁｮｳ')]))
ROW_OF = {'gun-omitted': GUN_ROW, 'gun-small-spaces': GUN_ROW, 'numbers-read': DIGIT_ROW}


def written(form, block='1-2-3'):
    lst = FormList(form, [Address(ROW_OF.get(form, ROW), block)], 1, STEMS)
    return lst.records[0], lst.expected[0]


class FormsWriteTheAddressAsListsDo(unittest.TestCase):
    def test_each_form(self):
        cases = {
            'old': ('231-0062', 'ｶﾅｶﾞﾜｹﾝ', 'ﾖｺﾊﾏｼﾅｶｸｻｸﾗｷﾞﾁﾖｳ1-2-3'),
            'small': ('231-0062', 'ｶﾅｶﾞﾜｹﾝ', 'ﾖｺﾊﾏｼﾅｶｸｻｸﾗｷﾞﾁｮｳ1-2-3'),
            'spaces': ('231-0062', 'ｶﾅｶﾞﾜｹﾝ', 'ﾖｺﾊﾏｼ ﾅｶｸ ｻｸﾗｷﾞﾁﾖｳ 1-2-3'),
            'fullwidth': ('231-0062', 'カナガワケン', 'ヨコハマシナカクサクラギチョウ１－２－３'),
            'hiragana': ('231-0062', 'かながわけん', 'よこはましなかくさくらぎちょう1-2-3'),
            'choon-hyphen': ('231-0062', 'ｶﾅｶﾞﾜｹﾝ', 'ﾖｺﾊﾏｼﾅｶｸｻｸﾗｷﾞﾁﾖｳ1ｰ2ｰ3'),
            'padded-code': ('2310062  ', 'ｶﾅｶﾞﾜｹﾝ', 'ﾖｺﾊﾏｼﾅｶｸｻｸﾗｷﾞﾁﾖｳ1-2-3'),
            'block-words': ('231-0062', 'ｶﾅｶﾞﾜｹﾝ', 'ﾖｺﾊﾏｼﾅｶｸｻｸﾗｷﾞﾁﾖｳ1ﾁﾖｳﾒ2ﾊﾞﾝ3ｺﾞｳ'),
            'shared': ('231-0062', 'ｶﾅｶﾞﾜｹﾝﾖｺﾊﾏｼﾅｶｸｻｸﾗｷﾞﾁﾖｳ1-2-3', ''),
            'gun-omitted': ('377-1302', 'ｸﾞﾝﾏｹﾝ', 'ﾅｶﾞﾉﾊﾗﾏﾁｶﾜﾗﾕ1-2-3'),
            'designated-omitted': ('231-0062', 'ｶﾅｶﾞﾜｹﾝ', 'ﾅｶｸｻｸﾗｷﾞﾁﾖｳ1-2-3'),
            'numbers-read': ('073-0113', 'ﾎﾂｶｲﾄﾞｳ', 'ｽﾅｶﾞﾜｼﾊﾙﾐｻﾝｼﾞﾖｳｷﾀ1-2-3'),
            'written-city': ('231-0062', '神奈川県', '横浜市中区ｻｸﾗｷﾞﾁﾖｳ1-2-3'),
            'written': ('231-0062', '神奈川県', '横浜市中区桜木町１－２－３'),
            'gun-small-spaces': ('377-1302', 'ｸﾞﾝﾏｹﾝ', 'ﾅｶﾞﾉﾊﾗﾏﾁ ｶﾜﾗﾕ 1-2-3'),
            'written-city-hiragana': ('231-0062', '神奈川県', '横浜市中区さくらぎちょう1-2-3'),
        }
        for form, fields in cases.items():
            with self.subTest(form=form):
                self.assertEqual(tuple(written(form)[0][1:4]), fields)

    def test_oaza_stands_before_the_town_reading(self):
        city = written('oaza')[0][3]
        self.assertIn(city, ('ﾖｺﾊﾏｼﾅｶｸｵｵｱｻﾞｻｸﾗｷﾞﾁﾖｳ1-2-3', 'ﾖｺﾊﾏｼﾅｶｸｱｻﾞｻｸﾗｷﾞﾁﾖｳ1-2-3'))

    def test_every_form_is_written(self):
        for form in FORMS:
            with self.subTest(form=form):
                self.assertTrue(written(form)[0][3] or written(form)[0][2])

    def test_expected_addresses(self):
        self.assertEqual(written('old')[1], ('神奈川県', '横浜市中区桜木町１－２－３'))
        self.assertEqual(written('choon-hyphen')[1], ('神奈川県', '横浜市中区桜木町１－２－３'))
        self.assertEqual(written('block-words')[1], ('神奈川県', '横浜市中区桜木町１丁目２番３号'))
        self.assertEqual(written('shared')[1], '神奈川県横浜市中区桜木町１－２－３')
        self.assertEqual(written('gun-omitted')[1], ('群馬県', '吾妻郡長野原町川原湯１－２－３'))
        self.assertEqual(written('designated-omitted')[1], ('神奈川県', '横浜市中区桜木町１－２－３'))
        self.assertEqual(written('numbers-read')[1], ('北海道', '砂川市晴見三条北１－２－３'))

    def test_two_fields_puts_the_town_in_a_field_of_its_own(self):
        record, expected = written('two-fields')
        self.assertEqual(record, ['1', '231-0062', 'ｶﾅｶﾞﾜｹﾝ', 'ﾖｺﾊﾏｼﾅｶｸ', '', '', 'ｻｸﾗｷﾞﾁﾖｳ1-2-3'])
        self.assertEqual(expected, ('神奈川県', '横浜市中区', '桜木町１－２－３'))
        self.assertEqual(FormList('two-fields', [], 1, STEMS).record_options()[:2], ['-n', '7'])

    def test_district_reading_is_the_districts_own(self):
        self.assertEqual(STEMS['群馬県北群馬郡'], 'ｷﾀｸﾞﾝﾏｸﾞﾝ')
        self.assertEqual((STEMS['新潟県三島郡'], STEMS['大阪府三島郡']), ('ｻﾝﾄｳｸﾞﾝ', 'ﾐｼﾏｸﾞﾝ'))

    def test_block_words(self):
        cases = [('1-2-3', '1ﾁﾖｳﾒ2ﾊﾞﾝ3ｺﾞｳ', '１丁目２番３号'), ('12-3', '12ﾊﾞﾝ3ｺﾞｳ', '１２番３号'),
                 ('2', '2ﾊﾞﾝﾁ', '２番地')]
        for block, read, full in cases:
            with self.subTest(block=block):
                self.assertEqual(block_words(block), (read, full))

    def test_hiragana_keeps_voiced_marks_and_digits(self):
        self.assertEqual(hiragana('ｷﾀ16ｼﾞｮｳｳﾞｧ'), 'きた16じょうヴぁ')

    def test_district_reading_split_from_town(self):
        row = ['14401', '24301', '2430300', 'ｶﾅｶﾞﾜｹﾝ', 'ｱｲｺｳｸﾞﾝｱｲｶﾜﾏﾁ', 'ｽﾐﾀﾞ', '神奈川県', '愛甲郡愛川町', '角田']
        lst = FormList('spaces', [Address(row, '5')], 1, STEMS)
        self.assertEqual(lst.records[0][3], 'ｱｲｺｳｸﾞﾝ ｱｲｶﾜﾏﾁ ｽﾐﾀﾞ 5')


class NumbersReadOut(unittest.TestCase):
    def test_readings_by_what_follows(self):
        cases = [(3, 'ｼﾞｮｳ', {'ｻﾝ'}), (1, 'ｾﾝ', {'ｲﾁ', 'ｲｯ'}), (1, 'ｼﾞｮｳ', {'ｲﾁ'}), (6, 'ｸ', {'ﾛｸ', 'ﾛｯ'}),
                 (6, 'ｾﾝ', {'ﾛｸ'}), (8, 'ﾁﾜﾘ', {'ﾊﾁ', 'ﾊｯ'}), (4, 'ｼﾞｮｳ', {'ﾖﾝ', 'ﾖ', 'ｼ'}), (4, 'ｾﾝ', {'ﾖﾝ'}),
                 (7, '', {'ﾅﾅ', 'ｼﾁ'}), (9, 'ｼﾞｮｳ', {'ｷｭｳ', 'ｸ'}), (10, 'ｾﾝ', {'ｼﾞｭｳ', 'ｼﾞｭｯ', 'ｼﾞｯ'}),
                 (20, '', {'ﾆｼﾞｭｳ'}), (23, 'ｼﾞｮｳ', {'ﾆｼﾞｭｳｻﾝ'}), (14, 'ｾﾝ', {'ｼﾞｭｳﾖﾝ'}),
                 (426, '', {'ﾖﾝﾋｬｸﾆｼﾞｭｳﾛｸ'}), (8240, '', {'ﾊｯｾﾝﾆﾋｬｸﾖﾝｼﾞｭｳ'})]
        rng = random.Random(1)
        for number, after, readings in cases:
            with self.subTest(number=number, after=after):
                self.assertEqual({number_reading(number, after, rng) for _ in range(200)}, readings)

    def test_each_number_of_a_reading(self):
        rng = random.Random(1)
        self.assertEqual(numbers_read('ﾆｼ2ｼﾞｮｳ3ﾁｮｳﾒ', rng), 'ﾆｼﾆｼﾞｮｳｻﾝﾁｮｳﾒ')
        # Cut short before ﾎ, the ﾎ is said ﾎﾟ.
        self.assertEqual({numbers_read('ﾆｼ1ﾎﾝ', rng) for _ in range(100)}, {'ﾆｼｲﾁﾎﾝ', 'ﾆｼｲｯﾎﾟﾝ'})


class Sampling(unittest.TestCase):
    def test_rules(self):
        cases = [('gun', GUN_ROW, True), ('gun', ['07203', '963  ', '9638024', 'ﾌｸｼﾏｹﾝ', 'ｺｵﾘﾔﾏｼ', 'ｱｻﾋ', '福島県',
                                                '郡山市', '朝日'], False),
                 ('gun', ['23214', '443  ', '4430045', 'ｱｲﾁｹﾝ', 'ｶﾞﾏｺﾞｵﾘｼ', 'ｱｻﾋﾏﾁ', '愛知県', '蒲郡市', '旭町'], False),
                 ('gun', ROW, False), ('designated', ROW, True), ('designated', GUN_ROW, False),
                 ('designated', ['13101', '100  ', '1000005', 'ﾄｳｷｮｳﾄ', 'ﾁﾖﾀﾞｸ', 'ﾏﾙﾉｳﾁ', '東京都', '千代田区', '丸の内'],
                  False),
                 ('digits', DIGIT_ROW, True), ('digits', ROW, False)]
        for rule, row, admitted in cases:
            with self.subTest(rule=rule, city=row[7]):
                self.assertEqual(RULES[rule](row, STEMS), admitted)

    def test_a_rule_takes_only_its_rows_and_all_of_them_when_too_few(self):
        rows = [ROW, GUN_ROW, DIGIT_ROW] * 2
        for rule, row in [('gun', GUN_ROW), ('designated', ROW), ('digits', DIGIT_ROW)]:
            with self.subTest(rule=rule):
                addresses, pool = sample_addresses(rows, 5, 1, rule, STEMS)
                self.assertEqual(([a.code for a in addresses], pool), ([row[2]] * 2, 2))
        self.assertEqual(len(sample_addresses(rows, 5, 1)[0]), 5)


class Outcomes(unittest.TestCase):
    def test_exact_as_read_and_wrong(self):
        lst = FormList('old', [Address(ROW, '1')] * 3, 1, STEMS)
        record = lst.records[0]
        converted = [record[:2] + ['神奈川県', '横浜市中区桜木町１'] + record[4:], list(record),
                     record[:2] + ['神奈川県', '横浜市中区桜木町ウ１'] + record[4:]]
        self.assertEqual([o[0] for o in lst.outcomes(converted)], ['exact', 'as read', 'wrong'])

    def test_a_written_record_left_as_read_is_told_by_the_unmatched_list(self):
        lst = FormList('written', [Address(ROW, '1')] * 2, 1, STEMS)
        kinds = [o[0] for o in lst.outcomes([list(r) for r in lst.records], unmatched={'2'})]
        self.assertEqual(kinds, ['exact', 'as read'])


# Stands in for zumaro-convert: copies the list, names record 1 unmatched, exits with the status given.
FAKE = r'''
import shutil, sys
args = sys.argv[1:]
if STATUS == 0:
    shutil.copy(args[args.index('-i') + 1], args[args.index('-o') + 1])
    with open(args[args.index('--unmatched') + 1], 'w') as f:
        f.write('"1","x"\r\n')
    print('変換処理終了\n読み込み 2件、照合 1件', file=sys.stderr)
else:
    print('The following arguments were not expected: --town', file=sys.stderr)
sys.exit(STATUS)
'''


class Runs(unittest.TestCase):
    def test_refused_options_are_not_runnable_and_other_failures_fail(self):
        with tempfile.TemporaryDirectory() as d:
            source = os.path.join(d, 'list.csv')
            with open(source, 'wb') as f:
                f.write(b'"1","a"\r\n"2","b"\r\n')
            for status, row in [(0, '| f | 100.00 % (1) | 0.00 % (0) | 0.00 % (0) |'),
                                (2, '| f | 0.00 % (0) not runnable | | |'), (1, '| f | 0.00 % (0) conversion failed | | |')]:
                with self.subTest(status=status):
                    exe = os.path.join(d, 'convert%d' % status)
                    with open(exe, 'w') as f:
                        f.write('#!%s\nSTATUS = %d\n%s' % (sys.executable, status, FAKE))
                    os.chmod(exe, 0o755)
                    run = run_conversion(exe, source, os.path.join(d, 'out.csv'), d, [])
                    outcomes = None if run.failure else [('exact',)]
                    self.assertEqual((table_row('f', outcomes, run), run.refused), (row, status == 2))
                    if status:
                        self.assertIn('--town', run.failure)
                    else:
                        self.assertEqual((run.summary, run.unmatched, len(run.converted)),
                                         ('読み込み 2件、照合 1件', {'1'}, 2))


REPORT = ('\ufeffrecord,line,reason,postal_code,address_as_read,suggested_postal_code,suggested_address,message\r\n'
          '1,2,reading-differs,231-0063,ｶﾅｶﾞﾜｹﾝ ﾖｺﾊﾏｼﾅｶｸｻｸﾗｷﾞﾁﾖｳ1,2310062,神奈川県横浜市中区桜木町,'
          '"読みが郵便番号の町域と一致しません（""ﾊﾅｻｷﾁﾖｳ""）。"\r\n'
          '2,3,no-postal-code,,"a,b",,,"二行の\r\nメッセージ"\r\n'
          '3,5,postal-code-unknown,999-9999,x,2310062,,\r\n').encode('utf-8')


class ReportReader(unittest.TestCase):
    def test_reads_quoted_fields_and_finds_the_right_code(self):
        with tempfile.TemporaryDirectory() as d:
            path = os.path.join(d, 'report.csv')
            with open(path, 'wb') as f:
                f.write(REPORT)
            with open(path, 'rb') as f:
                rows = parse_report(f.read())
        self.assertEqual([r['reason'] for r in rows], ['reading-differs', 'no-postal-code', 'postal-code-unknown'])
        self.assertEqual(rows[0]['message'], '読みが郵便番号の町域と一致しません（"ﾊﾅｻｷﾁﾖｳ"）。')
        self.assertEqual(rows[1]['address_as_read'], 'a,b')
        self.assertEqual(rows[1]['message'], '二行の\r\nメッセージ')
        self.assertEqual(found_right_code(rows, ['2310062', '2310062', '1000001']), {1})

    def test_refuses_what_breaks_the_format(self):
        cases = {
            'no byte-order mark': REPORT[3:],
            'bare LF': REPORT.replace(b'\r\n3,5', b'\n3,5'),
            'header': REPORT.replace(b'suggested_address', b'suggested'),
            'field count': REPORT.replace(b',2310062,,\r\n', b',2310062\r\n'),
            'last line unterminated': REPORT[:-2],
        }
        for name, data in cases.items():
            with self.subTest(name=name):
                self.assertRaises(ValueError, parse_report, data)



# Other rows of the fix scenarios: a town split by block ranges (two codes), a town of another district.
SPLIT_ROWS = [['01101', '060  ', '0600042', 'ﾎｯｶｲﾄﾞｳ', 'ｻｯﾎﾟﾛｼﾁｭｳｵｳｸ', 'ｵｵﾄﾞｵﾘﾆｼ(1-19ﾁｮｳﾒ)', '北海道', '札幌市中央区',
               '大通西（１～１９丁目）'],
              ['01101', '064  ', '0640820', 'ﾎｯｶｲﾄﾞｳ', 'ｻｯﾎﾟﾛｼﾁｭｳｵｳｸ', 'ｵｵﾄﾞｵﾘﾆｼ(20-28ﾁｮｳﾒ)', '北海道', '札幌市中央区',
               '大通西（２０～２８丁目）']]
NEAR_ROW = ['14104', '231  ', '2310063', 'ｶﾅｶﾞﾜｹﾝ', 'ﾖｺﾊﾏｼﾅｶｸ', 'ﾊﾅｻｷﾁｮｳ', '神奈川県', '横浜市中区', '花咲町']
FIX_ROWS = [ROW, GUN_ROW, DIGIT_ROW, NEAR_ROW] + SPLIT_ROWS


def cases_of(scenario, rows=FIX_ROWS, seed=1):
    addresses = [Address(r, '1-2') for r in rows]
    return make_cases(scenario, addresses, rows, seed)


class FixScenarios(unittest.TestCase):
    def test_the_fixed_code_keeps_the_records_notation(self):
        cases = [('231-0062', '100-0005'), ('2310062', '1000005'), ('〒231-0062', '〒100-0005'),
                 ('２３１－００６２', '１００－０００５'), ('〒２３１００６２', '〒１０００００５'),
                 ('', '100-0005'), ('231-01', '100-0005'), ('231', '100-0005')]
        for field, fixed in cases:
            with self.subTest(field=field):
                self.assertEqual(in_notation(field, '1000005'), fixed)
        for notation in NOTATIONS:
            with self.subTest(notation=notation):
                self.assertEqual(in_notation(written_code('2310062', notation), '1000005'),
                                 written_code('1000005', notation))

    def test_each_scenario_writes_the_postal_field(self):
        rows = FIX_ROWS * 6
        other = cases_of('other-district', rows)
        self.assertTrue(all(c.wrong_code[:3] != c.address.code[:3]
                            and c.record[1] == written_code(c.wrong_code, c.group) for c in other))
        self.assertEqual({c.record[1] for c in cases_of('empty', rows)}, {''})
        old = [(c.address.old_code, c.record[1], c.group) for c in cases_of('pre-1998', rows)]
        five = [o for o in old if len(o[0]) == 5]
        half = len(five) // 2
        self.assertEqual(sorted(o[2] for o in five), ['ddd'] * (len(five) - half) + ['ddd-dd'] * half)
        self.assertTrue(all(f == (o[:3] + '-' + o[3:] if g == 'ddd-dd' else o[:3]) for o, f, g in old))
        self.assertTrue(all(f == o for o, f, _ in old if len(o) == 3))
        for c in other + cases_of('pre-1998', rows):
            self.assertEqual(c.expected[1:4], [in_notation(c.record[1], c.address.code), c.address.pref,
                                               c.address.expected_city()])

    def test_a_slip_touches_one_kana_of_the_town_reading_only(self):
        for c in cases_of('town-slip', FIX_ROWS * 40):
            with self.subTest(record=c.record[3]):
                town, city = large(c.address.town_reading), large(c.address.city_reading)
                self.assertEqual((c.record[1], c.record[3][:len(city)]),
                                 (c.address.code[:3] + '-' + c.address.code[3:], city))
                was, now = [KANA_UNIT.findall(t) for t in (town, c.record[3][len(city):-len(c.address.block)])]
                if c.group == 'changed':
                    self.assertEqual((len(now), sum(1 for x, y in zip(was, now) if x != y)), (len(was), 1))
                else:
                    at = range(len(was))
                    self.assertIn(now, [was[:n] + was[n + 1:] for n in at] if c.group == 'dropped'
                                  else [was[:n + 1] + was[n:] for n in at])

    def test_slips_are_told_by_the_closest_entry(self):
        sakuragi, saku = ([''] * 7 + ['ﾖｺﾊﾏｼﾅｶｸ', town] for town in ('ｻｸﾗｷﾞﾁﾖｳ', 'ｻｸ'))
        # (text, (slip, follows an entry whole)); ｻｸﾗｷﾞﾁﾖｳ is eight units, half of it ｻｸﾗｷ.
        cases = [('ﾖｺﾊﾏｼﾅｶｸｻｸﾗｷﾞﾁﾖ1', [sakuragi], (True, False)), ('ﾖｺﾊﾏｼﾅｶｸｻｸﾗｷﾞﾉﾖｳ1', [sakuragi], (True, False)),
                 ('ﾖｺﾊﾏｼﾅｶｸｻｸﾗｷﾁﾖｳ1', [sakuragi], (True, False)), ('ﾖｺﾊﾏｼﾅｶｸｻｸﾘｷﾞﾁﾖｳ1', [sakuragi], (False, False)),
                 ('ﾖｺﾊﾏｼﾅｶｸｻｸﾗｷﾞﾁﾖ1', [sakuragi, saku], (False, True)),
                 ('ﾖｺﾊﾏｼﾅｶｸｻｸﾗｷﾞﾁﾖｳｳ1', [sakuragi], (False, True)), ('ﾖｺﾊﾏｼﾆｼｸｻｸﾗｷﾞﾁﾖ1', [sakuragi], (False, False))]
        for text, listed, expected in cases:
            with self.subTest(text=text, entries=len(listed)):
                self.assertEqual(closest_entry(text, listed)[1:], expected)

    def test_outcomes(self):
        case = cases_of('other-district')[0]
        fixed, record = case.expected, case.record
        # Another code; the code fixed but the address left; the address without its block.
        cases = [(fixed, 'fixed right'), (record, 'left as read'), (fixed[:1] + ['231-0063'] + fixed[2:], 'fixed wrong'),
                 (record[:1] + fixed[1:2] + record[2:], 'fixed wrong'),
                 (fixed[:3] + ['横浜市中区桜木町'] + fixed[4:], 'fixed wrong')]
        for out, outcome in cases:
            with self.subTest(out=out):
                self.assertEqual(fix_outcome(case, out), outcome)
        slip = cases_of('town-slip', [ROW] * 40)
        doubled_last = next(c for c in slip if c.own_town)
        converted = [doubled_last.record[:2] + doubled_last.own_town + doubled_last.record[4:], slip[0].record,
                     slip[0].record[:1] + ['231-0063'] + slip[0].record[2:],
                     slip[0].record[:2] + ['神奈川県', '横浜市中区花咲町１－２'] + slip[0].record[4:]]
        self.assertEqual([slip_outcome(c, out) for c, out in zip([doubled_last] + slip[:3], converted)],
                         ['own town', 'left as read', 'code changed', 'converted wrong'])

    def test_a_changed_code_needs_its_fixed_row(self):
        case = cases_of('empty', [ROW])[0]
        row = {'reason': 'postal-code-fixed', 'suggested_postal_code': '2310062'}
        cases = [(case.record, [], True), (case.expected, [row], True), (case.expected, [], False),
                 (case.expected, [dict(row, suggested_postal_code='2310063')], False),
                 (case.expected, [dict(row, reason='no-postal-code')], False)]
        for out, rows, reported in cases:
            with self.subTest(out=out[1], rows=rows):
                self.assertEqual(fix_reported(case, out, rows), reported)

    def test_a_town_split_by_block_ranges_has_several_codes(self):
        codes = written_codes(FIX_ROWS)
        self.assertEqual(codes[('北海道', '札幌市中央区', '大通西')], {'0600042', '0640820'})
        self.assertEqual(codes[('神奈川県', '横浜市中区', '桜木町')], {'2310062'})

    def test_a_program_without_the_option_is_told_apart(self):
        cases = [(Run(failure='The following argument was not expected: --fix-postal-code (exit status 2: x '
                              '--fix-postal-code)', refused=True), True),
                 (Run(failure='--town: 0 is not a field (exit status 2: x --fix-postal-code)', refused=True), False),
                 (Run(failure='--fix-postal-code: disk full (exit status 1: x)'), False), (Run(converted=[]), False)]
        for run, refused in cases:
            with self.subTest(failure=run.failure):
                self.assertEqual(refuses_fix(run), refused)


if __name__ == '__main__':
    unittest.main()
