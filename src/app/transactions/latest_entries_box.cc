#include "app/transactions/latest_entries_box.h"

#include <QMouseEvent>
#include <QPainter>

#include "platform/text_conversion.h"

namespace zenkar {
namespace {

const QColor kPaleBlue(0xE6, 0xF0, 0xFF);
constexpr int kMargin = 4;

}  // namespace

LatestEntriesBox::LatestEntriesBox(std::vector<QWidget*> columns, QWidget* parent)
    : QWidget(parent), columns_(std::move(columns)), column_ends_(columns_) {
  setObjectName("latestEntries");
  setAttribute(Qt::WA_OpaquePaintEvent);
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void LatestEntriesBox::SpanColumn(size_t n, QWidget* last) { column_ends_.at(n) = last; }

void LatestEntriesBox::SetLines(std::vector<LatestEntryText> lines) {
  lines_ = std::move(lines);
  update();
}

int LatestEntriesBox::LineHeight() const { return fontMetrics().height(); }

QSize LatestEntriesBox::sizeHint() const {
  return {400, kLatestEntryLines * LineHeight() + 2 * kMargin};
}

QSize LatestEntriesBox::minimumSizeHint() const { return sizeHint(); }

int LatestEntriesBox::RowAt(int y) const {
  const int row = (y - kMargin) / LineHeight();
  if (y < kMargin || row >= static_cast<int>(lines_.size())) return -1;
  return row;
}

QRect LatestEntriesBox::ColumnRect(size_t n, int row) const {
  const QWidget* column = columns_[n];
  const QWidget* end = column_ends_[n];
  const QPoint left = mapFromGlobal(column->mapToGlobal(QPoint(0, 0)));
  const QPoint right = mapFromGlobal(end->mapToGlobal(QPoint(end->width(), 0)));
  const int top = kMargin + row * LineHeight();
  return QRect(left.x() + kMargin, top, right.x() - left.x() - 2 * kMargin, LineHeight());
}

void LatestEntriesBox::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), kPaleBlue);
  painter.setPen(palette().color(QPalette::WindowText));
  for (int row = 0; row < static_cast<int>(lines_.size()); ++row) {
    const LatestEntryText& line = lines_[row];
    const std::string* texts[] = {&line.payee,   &line.reference, &line.date,
                                  &line.account, &line.amount,    &line.ytd};
    for (size_t n = 0; n < columns_.size() && n < std::size(texts); ++n) {
      const Qt::Alignment align = n == 4   ? Qt::AlignRight | Qt::AlignVCenter
                                  : n == 5 ? Qt::AlignHCenter | Qt::AlignVCenter
                                           : Qt::AlignLeft | Qt::AlignVCenter;
      painter.drawText(ColumnRect(n, row), align, FromCp1252(*texts[n]));
    }
    // An asterisk beside the amount when there is no "* YTD" column.
    if (columns_.size() == 5 && !line.ytd.empty()) {
      QRect mark = ColumnRect(4, row);
      mark.moveLeft(mark.right() + kMargin);
      painter.drawText(mark, Qt::AlignLeft | Qt::AlignVCenter, FromCp1252(line.ytd));
    }
  }
  painter.setPen(palette().color(QPalette::Mid));
  painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

void LatestEntriesBox::mouseReleaseEvent(QMouseEvent* event) {
  const int row = RowAt(event->position().toPoint().y());
  if (row < 0) return;
  if (event->button() == Qt::LeftButton && on_left_click_) on_left_click_(row);
  if (event->button() == Qt::RightButton && on_right_click_) on_right_click_(row);
}

}  // namespace zenkar
