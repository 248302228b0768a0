// Field tables of fixed-length records.
//
// A record type lists its fields once, each with its offset (and width), in a
// static member template that takes the record (const or not) and a visitor:
//
//   template <typename R, typename V> static void VisitFields(R& record, V& v) {
//     v.Int32(4, record.date);
//     v.Text(12, 4, record.sales_code);
//   }
//
// FieldReader fills the members from the record's bytes and FieldWriter
// writes them into a copy of them, so decoding and encoding can never
// disagree about a field, and the bytes no field names stay as they were.
#ifndef ZENKAR_COMMON_RECORD_FIELDS_H_
#define ZENKAR_COMMON_RECORD_FIELDS_H_

#include <cstdint>
#include <string>
#include <string_view>

#include "common/byte_codec.h"
#include "common/money.h"
#include "common/text_field.h"

namespace zenkar {

class FieldReader {
 public:
  explicit FieldReader(std::string_view record) : record_(record) {}
  void Text(size_t offset, size_t width, std::string& value) const {
    value = GetTextField(record_, offset, width);
  }
  void Int32(size_t offset, int32_t& value) const { value = GetInt32(record_, offset); }
  void Amount(size_t offset, Money& value) const { value = GetMoney(record_, offset); }

 private:
  std::string_view record_;
};

class FieldWriter {
 public:
  explicit FieldWriter(std::string& record) : record_(record) {}
  void Text(size_t offset, size_t width, const std::string& value) const {
    PutTextField(record_, offset, width, value);
  }
  void Int32(size_t offset, int32_t value) const { PutInt32(record_, offset, value); }
  void Amount(size_t offset, Money value) const { PutMoney(record_, offset, value); }

 private:
  std::string& record_;
};

// Decodes a record of type `R` (with kSize, raw and VisitFields)
// from `bytes`, which are cut or padded with zero bytes to the record length.
template <typename R>
R DecodeByFields(std::string_view bytes) {
  R record;
  record.raw = std::string(bytes.substr(0, R::kSize));
  record.raw.resize(R::kSize, '\0');
  const FieldReader reader(record.raw);
  R::VisitFields(record, reader);
  return record;
}

// The record's bytes as read, with every listed field written over them.
template <typename R>
std::string EncodeByFields(const R& record) {
  std::string bytes = record.raw;
  bytes.resize(R::kSize, '\0');
  const FieldWriter writer(bytes);
  R::VisitFields(record, writer);
  return bytes;
}

}  // namespace zenkar

#endif  // ZENKAR_COMMON_RECORD_FIELDS_H_
