// The pages of the listings: rows cut into pages (a blank row dropped at a
// page top, a row of several lines never split), the heading with "Page n
// of m" on every page, the shading bars on every other entry row, and the
// Text target's heading written once.
#include "output/listing_layout.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "output/csv_reader.h"
#include "output/output_fakes.h"
#include "support/temp_dir.h"

namespace zenkar {
namespace {

using ::testing::ElementsAre;

TEST(ListingPagesTest, RowsAreCutIntoPagesWithoutSplittingOne) {
  std::vector<ListingRow> rows = {{0, 0, 1, false, true},
                                  {0, 1, 2, false, true},
                                  {0, 2, 1, true, true},  // would start page 2 with a blank
                                  {0, 3, 2, false, true},
                                  {0, 4, 1, true, true}};
  const std::vector<ListingPage> pages = PaginateListing(rows, 3);
  ASSERT_EQ(pages.size(), 3u);
  EXPECT_THAT(pages[0], ElementsAre(PlacedRow{0, 0}, PlacedRow{1, 1}));
  EXPECT_THAT(pages[1], ElementsAre(PlacedRow{0, 2}, PlacedRow{1, 3}));
  EXPECT_THAT(pages[2], ElementsAre(PlacedRow{0, 4}));
}

class ListingWriteTest : public ::testing::Test {
 protected:
  ListingWriteTest() : out_(dir_.path()) {
    document_.job_title = "Test-Listing";
    document_.heading = ListingHeadingOf("TEST LISTING", "  Test Company  ", {"For March"});
    document_.heading.columns = {{0, 5, "Item", 1}, {1, 78, "Amount", 2, ReportAlign::kRight}};
    document_.base_lines_per_page = 4;
    for (int i = 0; i < 6; ++i) document_.rows.push_back({0, i, 1, false, true});
    document_.render = [](const ListingRow& row, ListingLineWriter& w) {
      w.Text(5, "Item " + std::to_string(row.index), 1);
      w.Amount(78, Money::FromUnits(1000 * row.index), 2);
    };
  }

  testing::TempDir dir_;
  testing::TestOutput out_;
  ListingDocument document_;
};

TEST_F(ListingWriteTest, EveryPageHasTheHeadingAndItsPageCount) {
  PrintJob job(out_.services, OutputTarget::kPrinter);
  ASSERT_TRUE(WriteListing(job, document_));
  const auto pages = testing::PagesOf(out_.printer.jobs.back());
  ASSERT_EQ(pages.size(), 2u);
  EXPECT_THAT(pages[1], ElementsAre("TEST LISTING", "Test Company", "For March",
                                    "Prepared: 03/14/2026", "Page 2 of 2", "Item", "Amount",
                                    "Item 4", "4,000.00", "Item 5", "5,000.00"));
}

TEST_F(ListingWriteTest, ShadingBarsLieUnderEveryOtherEntryOfAPage) {
  document_.shading_bars = true;
  document_.rows[1].entry = false;  // a total line takes no part
  PrintJob job(out_.services, OutputTarget::kPrinter);
  ASSERT_TRUE(WriteListing(job, document_));
  std::vector<double> shaded_rows;
  for (const testing::CanvasCall& call : out_.printer.jobs.back()) {
    if (call.kind == testing::CanvasCall::kShade) {
      EXPECT_LT(call.column, 5);
      EXPECT_GT(call.column2, 78);
      shaded_rows.push_back(call.row2);
    }
  }
  // Body rows start at 11: page 1 shades its second entry (row 2, at 13),
  // page 2 the second of its rows (row 5, at 12).
  EXPECT_THAT(shaded_rows, ElementsAre(13.25, 12.25));
}

TEST_F(ListingWriteTest, TheCsvHasTheHeadingOnceAndEveryRow) {
  PrintJob job(out_.services, OutputTarget::kText);
  ASSERT_TRUE(WriteListing(job, document_));
  const auto rows = testing::ReadCsv(dir_.ReadFile("Test-Listing.csv"));
  ASSERT_TRUE(rows.has_value());
  ASSERT_EQ(rows->size(), 12u);
  EXPECT_THAT((*rows)[0], ElementsAre("TEST LISTING"));
  EXPECT_THAT((*rows)[3], ElementsAre("Prepared: 03/14/2026"));
  EXPECT_THAT((*rows)[4], ElementsAre("Item"));
  EXPECT_THAT((*rows)[5], ElementsAre("", "Amount"));
  EXPECT_THAT((*rows)[11], ElementsAre("Item 5", "5,000.00"));
}

}  // namespace
}  // namespace zenkar
