// Little-endian integers and amounts at fixed byte offsets of a record.
//
// Records are held as byte strings of their exact on-disk length; these
// helpers read and write one field at its offset without touching the others.
#ifndef ZENKAR_COMMON_BYTE_CODEC_H_
#define ZENKAR_COMMON_BYTE_CODEC_H_

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "common/money.h"

namespace zenkar {

// The fields are read as whole words: the records are little-endian, like
// every machine this program is built for.
static_assert(std::endian::native == std::endian::little);

inline uint64_t GetLittleEndian(std::string_view record, size_t offset, size_t width) {
  uint64_t value = 0;
  std::memcpy(&value, record.data() + offset, width);
  return value;
}

inline void PutLittleEndian(std::string& record, size_t offset, size_t width, uint64_t value) {
  for (size_t i = 0; i < width; ++i) {
    record[offset + i] = static_cast<char>(value & 0xFF);
    value >>= 8;
  }
}

inline int16_t GetInt16(std::string_view record, size_t offset) {
  return static_cast<int16_t>(GetLittleEndian(record, offset, 2));
}
inline int32_t GetInt32(std::string_view record, size_t offset) {
  return static_cast<int32_t>(GetLittleEndian(record, offset, 4));
}
inline int64_t GetInt64(std::string_view record, size_t offset) {
  return static_cast<int64_t>(GetLittleEndian(record, offset, 8));
}
inline Money GetMoney(std::string_view record, size_t offset) {
  return Money::FromRaw(GetInt64(record, offset));
}

inline void PutInt16(std::string& record, size_t offset, int16_t value) {
  PutLittleEndian(record, offset, 2, static_cast<uint16_t>(value));
}
inline void PutInt32(std::string& record, size_t offset, int32_t value) {
  PutLittleEndian(record, offset, 4, static_cast<uint32_t>(value));
}
inline void PutInt64(std::string& record, size_t offset, int64_t value) {
  PutLittleEndian(record, offset, 8, static_cast<uint64_t>(value));
}
inline void PutMoney(std::string& record, size_t offset, Money value) {
  PutInt64(record, offset, value.raw());
}

}  // namespace zenkar

#endif  // ZENKAR_COMMON_BYTE_CODEC_H_
