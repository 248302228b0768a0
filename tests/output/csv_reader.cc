#include "output/csv_reader.h"

namespace zenkar::testing {
namespace {

class Reader {
 public:
  explicit Reader(std::string_view text) : text_(text) {}

  std::optional<std::vector<CsvRow>> Rows() {
    std::vector<CsvRow> rows;
    while (at_ < text_.size()) {
      CsvRow row;
      if (!ReadRow(row)) return std::nullopt;
      rows.push_back(std::move(row));
    }
    return rows;
  }

 private:
  // One line; a line that ends with a separator has an empty last field,
  // which the writer's trailing comma produces and a reader drops.
  bool ReadRow(CsvRow& row) {
    while (at_ < text_.size() && !AtLineEnd()) {
      std::string field;
      if (!ReadField(field)) return false;
      row.push_back(std::move(field));
      if (at_ < text_.size() && text_[at_] == ',') ++at_;
    }
    SkipLineEnd();
    return true;
  }

  bool ReadField(std::string& field) {
    if (text_[at_] != '"') {
      while (at_ < text_.size() && text_[at_] != ',' && !AtLineEnd()) {
        if (text_[at_] == '"') return false;
        field += text_[at_++];
      }
      return true;
    }
    ++at_;
    while (at_ < text_.size()) {
      if (text_[at_] != '"') {
        field += text_[at_++];
      } else if (at_ + 1 < text_.size() && text_[at_ + 1] == '"') {
        field += '"';
        at_ += 2;
      } else {
        ++at_;
        return at_ >= text_.size() || text_[at_] == ',' || AtLineEnd();
      }
    }
    return false;
  }

  bool AtLineEnd() const { return text_[at_] == '\r' || text_[at_] == '\n'; }
  void SkipLineEnd() {
    if (at_ < text_.size() && text_[at_] == '\r') ++at_;
    if (at_ < text_.size() && text_[at_] == '\n') ++at_;
  }

  std::string_view text_;
  size_t at_ = 0;
};

}  // namespace

std::optional<std::vector<CsvRow>> ReadCsv(std::string_view text) { return Reader(text).Rows(); }

}  // namespace zenkar::testing
