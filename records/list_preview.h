#pragma once
// The first records of a list, read as a run would read them, for a program
// that lets the user look at a list before choosing the settings.
#include <string>
#include <vector>

#include "text/text.h"
#include "text/text_encoding.h"

namespace zumaro {

inline constexpr int kPreviewRecords = 20;

struct ListPreviewRequest {
  std::string path;
  EncodingChoice encoding = EncodingChoice::Auto;
  bool header = false;  // the first line is a header
  int fieldCount = 0;   // fields a record; 0: as many as the first record line holds
  int maxRecords = kPreviewRecords;
  int postalField = 0;  // 1-based position of the postal code; 0: not known yet
};

struct ListPreview {
  bool ok = false;
  Text error;  // when !ok: what is wrong and where, for the user
  TextEncoding encoding = TextEncoding::Cp932;
  int firstLineFields = 0;                 // fields on the first line holding text after any header
  std::vector<Text> headerFields;          // the header line split as a record line is
  std::vector<std::vector<Text>> records;  // up to maxRecords, of fieldCount (or firstLineFields) fields
  // Without a header asked for: the column (1-based) by which the first
  // record looks like a header row (records/header_row_guess.h), the postal
  // code's when known, else the first that shows it; 0: none.
  int headerRowField = 0;
};

ListPreview previewList(const ListPreviewRequest& request);

}  // namespace zumaro
