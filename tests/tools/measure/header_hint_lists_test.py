#!/usr/bin/env python3
"""The lists tools/roundtrip_forms.py converts never make zumaro-convert guess a header row; the same
lists under a title line do. ZUMARO_CONVERT names the program, ZUMARO_DATA_DIR a data folder."""

import os
import subprocess
import sys
import tempfile
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', '..', '..', 'tools'))

from roundtrip_forms import FORM_OPTIONS, FORMS, Address, FormList, district_stems, ward_city_stems  # noqa: E402

HINT = '1行目は見出しのようです'
# KEN_ALL rows of the kinds the forms need: a designated city's ward, a district's town, a town
# reading with digits.
ROW = ['14104', '231  ', '2310062', 'ｶﾅｶﾞﾜｹﾝ', 'ﾖｺﾊﾏｼﾅｶｸ', 'ｻｸﾗｷﾞﾁｮｳ', '神奈川県', '横浜市中区', '桜木町']
GUN_ROW = ['10424', '37713', '3771302', 'ｸﾞﾝﾏｹﾝ', 'ｱｶﾞﾂﾏｸﾞﾝﾅｶﾞﾉﾊﾗﾏﾁ', 'ｶﾜﾗﾕ', '群馬県', '吾妻郡長野原町', '川原湯']
DIGIT_ROW = ['01226', '07301', '0730113', 'ﾎｯｶｲﾄﾞｳ', 'ｽﾅｶﾞﾜｼ', 'ﾊﾙﾐ3ｼﾞｮｳｷﾀ', '北海道', '砂川市', '晴見三条北']
ROW_OF = {'gun-omitted': GUN_ROW, 'gun-small-spaces': GUN_ROW, 'numbers-read': DIGIT_ROW}
STEMS = ward_city_stems([('横浜市中区', 'ﾖｺﾊﾏｼﾅｶｸ'), ('横浜市西区', 'ﾖｺﾊﾏｼﾆｼｸ')])
STEMS.update(district_stems([('群馬県', '吾妻郡長野原町', 'ｱｶﾞﾂﾏｸﾞﾝﾅｶﾞﾉﾊﾗﾏﾁ')]))
TITLES = ['番号', '郵便番号', '県名', '住所', 'ビル名', '会社名', '町域']


def convert(exe, data_dir, form_list, path, titled):
    with open(path, 'wb') as f:
        if titled:
            f.write((','.join(TITLES[:len(form_list.records[0])]) + '\r\n').encode('cp932'))
        for record in form_list.records:
            f.write((','.join('"%s"' % v for v in record) + '\r\n').encode('cp932'))
    command = ([exe, '-i', path, '-o', path + '.out', '--data-dir', data_dir] + form_list.record_options()
               + form_list.field_options() + FORM_OPTIONS.get(form_list.form, []))
    done = subprocess.run(command, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)
    return done.returncode, done.stderr.decode('utf-8', 'replace')


class FormsListsHaveNoHeaderRow(unittest.TestCase):
    def test_each_form(self):
        exe, data_dir = os.environ['ZUMARO_CONVERT'], os.environ['ZUMARO_DATA_DIR']
        with tempfile.TemporaryDirectory() as d:
            for form in FORMS:
                addresses = [Address(ROW_OF.get(form, ROW), '%d-%d' % (k, k + 2)) for k in range(1, 16)]
                form_list = FormList(form, addresses, 1, STEMS)
                for titled in (False, True):
                    with self.subTest(form=form, titled=titled):
                        status, err = convert(exe, data_dir, form_list, os.path.join(d, form + '.csv'), titled)
                        self.assertEqual(status, 0, err)
                        self.assertEqual(HINT in err, titled, err)


if __name__ == '__main__':
    unittest.main()
