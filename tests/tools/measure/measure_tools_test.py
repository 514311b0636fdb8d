#!/usr/bin/env python3
"""The list writers of tools/roundtrip_forms.py and the report reader of tools/report_check.py."""

import os
import sys
import tempfile
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', '..', '..', 'tools'))

from roundtrip_forms import FORMS, Address, FormList, block_words, hiragana, ward_city_stems  # noqa: E402
from report_check import found_right_code, parse_report  # noqa: E402

# 横浜市中区桜木町 as KEN_ALL lists it (small kana in the readings).
ROW = ['14104', '231  ', '2310062', 'ｶﾅｶﾞﾜｹﾝ', 'ﾖｺﾊﾏｼﾅｶｸ', 'ｻｸﾗｷﾞﾁｮｳ', '神奈川県', '横浜市中区', '桜木町']
STEMS = ward_city_stems([('横浜市中区', 'ﾖｺﾊﾏｼﾅｶｸ'), ('横浜市西区', 'ﾖｺﾊﾏｼﾆｼｸ')])


def written(form, block='1-2-3'):
    lst = FormList(form, [Address(ROW, block)], 1, STEMS)
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


class Outcomes(unittest.TestCase):
    def test_exact_as_read_and_wrong(self):
        lst = FormList('old', [Address(ROW, '1')] * 3, 1, STEMS)
        record = lst.records[0]
        converted = [record[:2] + ['神奈川県', '横浜市中区桜木町１'] + record[4:], list(record),
                     record[:2] + ['神奈川県', '横浜市中区桜木町ウ１'] + record[4:]]
        self.assertEqual([o[0] for o in lst.outcomes(converted)], ['exact', 'as read', 'wrong'])


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


if __name__ == '__main__':
    unittest.main()
