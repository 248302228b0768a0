#include "output/pdf_test_tools.h"

#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "common/byte_codec.h"

namespace zenkar::testing {

CommandResult RunCommand(const std::string& command, bool merge_stderr) {
  CommandResult result;
  const std::string full = command + (merge_stderr ? " 2>&1" : " 2>/dev/null");
  FILE* pipe = ::popen(full.c_str(), "r");
  if (pipe == nullptr) return result;
  char buffer[4096];
  size_t got;
  while ((got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) result.output.append(buffer, got);
  const int status = ::pclose(pipe);
  result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return result;
}

std::string ShellQuote(std::string_view text) {
  std::string quoted = "'";
  for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

std::optional<std::string> QpdfProblems(const std::string& pdf_path) {
  const CommandResult result = RunCommand("qpdf --check " + ShellQuote(pdf_path), true);
  if (result.status == 0 && result.output.find("WARNING") == std::string::npos) {
    return std::nullopt;
  }
  return result.output.empty() ? "qpdf did not run" : result.output;
}

TextPages PdfTextPages(const std::string& pdf_path) {
  const std::string text = RunCommand("pdftotext -enc UTF-8 " + ShellQuote(pdf_path) + " -").output;
  TextPages pages;
  std::istringstream pages_in(text);
  std::string page;
  while (std::getline(pages_in, page, '\f')) {
    if (pages_in.eof() && page.find_first_not_of(" \n") == std::string::npos) break;
    std::vector<std::string>& lines = pages.emplace_back();
    std::istringstream lines_in(page);
    for (std::string line; std::getline(lines_in, line);) {
      line.erase(line.find_last_not_of(' ') + 1);
      if (!line.empty()) lines.push_back(line);
    }
  }
  return pages;
}

namespace {

double Attribute(const std::string& tag, std::string_view name) {
  const size_t at = tag.find(std::string(name) + "=\"");
  return at == std::string::npos ? 0 : std::stod(tag.substr(at + name.size() + 2));
}

}  // namespace

std::vector<PdfWord> PdfWords(const std::string& pdf_path) {
  const std::string html = RunCommand("pdftotext -bbox " + ShellQuote(pdf_path) + " -").output;
  std::vector<PdfWord> words;
  int page = -1;
  for (size_t at = html.find('<'); at != std::string::npos; at = html.find('<', at + 1)) {
    const size_t end = html.find('>', at);
    if (end == std::string::npos) break;
    const std::string tag = html.substr(at, end - at + 1);
    if (tag.starts_with("<page ")) ++page;
    if (!tag.starts_with("<word ")) continue;
    const size_t close = html.find("</word>", end);
    words.push_back({page, Attribute(tag, "xMin"), Attribute(tag, "yMin"), Attribute(tag, "xMax"),
                     Attribute(tag, "yMax"), html.substr(end + 1, close - end - 1)});
  }
  return words;
}

uint32_t RgbImage::At(int x, int y) const {
  const size_t at = 3 * (static_cast<size_t>(y) * width + x);
  return static_cast<uint8_t>(rgb[at]) << 16 | static_cast<uint8_t>(rgb[at + 1]) << 8 |
         static_cast<uint8_t>(rgb[at + 2]);
}

std::optional<RgbImage> RenderPage(const std::string& pdf_path, int page) {
  const std::string prefix = pdf_path + ".render";
  const std::string number = std::to_string(page);
  const CommandResult result =
      RunCommand("pdftoppm -r 72 -f " + number + " -l " + number + " -singlefile " +
                 ShellQuote(pdf_path) + " " + ShellQuote(prefix));
  if (result.status != 0) return std::nullopt;
  std::ifstream in(prefix + ".ppm", std::ios::binary);
  std::string magic;
  int max_value = 0;
  RgbImage image;
  in >> magic >> image.width >> image.height >> max_value;
  in.get();  // the single blank after the header
  if (magic != "P6" || max_value != 255) return std::nullopt;
  image.rgb.resize(3 * static_cast<size_t>(image.width) * image.height);
  in.read(image.rgb.data(), static_cast<std::streamsize>(image.rgb.size()));
  std::filesystem::remove(prefix + ".ppm");
  if (!in) return std::nullopt;
  return image;
}

std::optional<XrefTable> ReadXref(std::string_view pdf) {
  const size_t startxref = pdf.rfind("startxref\r\n");
  if (startxref == std::string_view::npos) return std::nullopt;
  XrefTable table;
  table.xref_offset = std::stoull(std::string(pdf.substr(startxref + 11, 20)));
  if (table.xref_offset >= pdf.size()) return std::nullopt;
  size_t at = table.xref_offset;
  if (pdf.substr(at, 6) != "xref\r\n") return std::nullopt;
  at += 6;
  const size_t count_end = pdf.find("\r\n", at);
  const size_t blank = pdf.find(' ', at);
  const int count = std::stoi(std::string(pdf.substr(blank + 1, count_end - blank - 1)));
  at = count_end + 2;
  for (int i = 0; i < count; ++i, at += 20) {
    if (at + 20 > pdf.size()) return std::nullopt;
    table.lines.emplace_back(pdf.substr(at, 20));
    table.offsets.push_back(std::stoull(std::string(pdf.substr(at, 10))));
  }
  return table;
}

std::string ObjectText(std::string_view pdf, const XrefTable& xref, int number) {
  const size_t start = xref.offsets.at(number);
  const size_t end = pdf.find("endobj\r\n", start);
  return std::string(pdf.substr(start, end == std::string_view::npos ? 0 : end + 8 - start));
}

namespace {

void PutU32(std::string& bytes, size_t at, uint32_t value) { PutLittleEndian(bytes, at, 4, value); }

}  // namespace

std::string MakeBmp(const BmpLayout& layout) {
  const size_t palette_entries = layout.bits <= 8 ? layout.palette.size() : 0;
  const size_t stride = (static_cast<size_t>(layout.width) * layout.bits + 31) / 32 * 4;
  const size_t pixels_at = 54 + 4 * palette_entries;
  std::string bytes(pixels_at + stride * layout.height, '\0');
  bytes[0] = 'B';
  bytes[1] = 'M';
  PutU32(bytes, 2, static_cast<uint32_t>(bytes.size()));
  PutU32(bytes, 10, static_cast<uint32_t>(pixels_at));
  PutU32(bytes, 14, 40);
  PutU32(bytes, 18, static_cast<uint32_t>(layout.width));
  PutU32(bytes, 22, static_cast<uint32_t>(layout.top_down ? -layout.height : layout.height));
  PutLittleEndian(bytes, 26, 2, 1);
  PutLittleEndian(bytes, 28, 2, static_cast<uint64_t>(layout.bits));
  PutU32(bytes, 46, static_cast<uint32_t>(palette_entries));
  for (size_t i = 0; i < palette_entries; ++i) {
    const uint32_t rgb = layout.palette[i];
    bytes[54 + 4 * i] = static_cast<char>(rgb & 0xFF);
    bytes[54 + 4 * i + 1] = static_cast<char>(rgb >> 8 & 0xFF);
    bytes[54 + 4 * i + 2] = static_cast<char>(rgb >> 16 & 0xFF);
  }
  for (int y = 0; y < layout.height; ++y) {
    const int file_row = layout.top_down ? y : layout.height - 1 - y;
    char* row = bytes.data() + pixels_at + file_row * stride;
    for (int x = 0; x < layout.width; ++x) {
      const uint32_t value = layout.pixel(x, y);
      if (layout.bits == 24) {
        row[3 * x] = static_cast<char>(value & 0xFF);
        row[3 * x + 1] = static_cast<char>(value >> 8 & 0xFF);
        row[3 * x + 2] = static_cast<char>(value >> 16 & 0xFF);
        continue;
      }
      const int per_byte = 8 / layout.bits;
      const int shift = 8 - layout.bits * (x % per_byte + 1);
      row[x / per_byte] = static_cast<char>(row[x / per_byte] | value << shift);
    }
  }
  return bytes;
}

}  // namespace zenkar::testing
