#pragma once
// The first records of the input as the run would read them, one column a
// field numbered from 1, so that the user can set the field count and the
// positions by looking instead of counting.
#include <QWidget>

#include "records/list_preview.h"

class QTableWidget;

namespace zumaro::forms {

// The boxes a column can be given to, as the header's menu names them.
struct FieldRole {
  const char* box;  // the settings form's box
  const char16_t* name;
};
inline constexpr FieldRole kFieldRoles[] = {{"postalCodePositionBox", u"郵便番号"}, {"prefecturePositionBox", u"県名"},
                                            {"cityPositionBox", u"市区町村名丁目"}, {"buildingPositionBox", u"ビル名"},
                                            {"companyPositionBox", u"企業名"},      {"townPositionBox", u"町域・番地"}};

class PreviewWindow : public QWidget {
  Q_OBJECT

 public:
  // A window of its own, closed with `owner`.
  PreviewWindow(const ListPreview& preview, const QString& path, QWidget* owner);

  // Column `field` (1 = the first) is the field of `role`.
  void assignRole(int field, const FieldRole& role);

 signals:
  void fieldCountChosen(int count);
  void positionChosen(const QString& box, int field);
  // The first line is a header after all.
  void headerChosen();

 private:
  void fillTable(const ListPreview& preview);
  QWidget* makeHeaderHint(const ListPreview& preview);
  void offerRoles(int column);

  QTableWidget* table_ = nullptr;
};

}  // namespace zumaro::forms
