// LatestEntriesBox: the painted box of the latest entries under an entry
// line, pale blue in the window font, one entry a line with its columns
// under the fields of the line above. A left click on a line asks to edit
// that entry, a right click to void or delete it.
#ifndef ZENKAR_APP_TRANSACTIONS_LATEST_ENTRIES_BOX_H_
#define ZENKAR_APP_TRANSACTIONS_LATEST_ENTRIES_BOX_H_

#include <QWidget>
#include <cstddef>
#include <functional>
#include <vector>

#include "app_rules/transactions/entry_register.h"

namespace zenkar {

class LatestEntriesBox : public QWidget {
 public:
  // `columns`: the controls whose left edges the columns follow (payee,
  // reference, date, account, amount, and the "* YTD" box when there is one).
  explicit LatestEntriesBox(std::vector<QWidget*> columns, QWidget* parent = nullptr);

  // Column `n` reaches to the right edge of `last` (a text wider than its
  // own control, such as "Due Date:" and a date).
  void SpanColumn(size_t n, QWidget* last);

  void SetLines(std::vector<LatestEntryText> lines);
  const std::vector<LatestEntryText>& lines() const { return lines_; }
  // The line (0 = top) under the point `y`, or -1.
  int RowAt(int y) const;

  void set_on_left_click(std::function<void(int)> f) { on_left_click_ = std::move(f); }
  void set_on_right_click(std::function<void(int)> f) { on_right_click_ = std::move(f); }

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  int LineHeight() const;
  // The left edge and width of column `n` in this box's coordinates.
  QRect ColumnRect(size_t n, int row) const;

  std::vector<QWidget*> columns_;
  std::vector<QWidget*> column_ends_;  // the control each column ends with
  std::vector<LatestEntryText> lines_;
  std::function<void(int)> on_left_click_;
  std::function<void(int)> on_right_click_;
};

}  // namespace zenkar

#endif  // ZENKAR_APP_TRANSACTIONS_LATEST_ENTRIES_BOX_H_
