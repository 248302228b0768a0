// FontScaledStyle: the platform's widget style with check boxes and option
// (radio) buttons drawn in proportion to their text.
//
// The stock styles draw these indicators at one size in pixels whatever the
// font, so at the program's "Large" display size (18 points) a box stands
// tiny beside its caption. This style sizes them from the font of the widget
// they belong to; at the "Small" size they keep the style's own size.
#ifndef ZENKAR_PLATFORM_FONT_SCALED_STYLE_H_
#define ZENKAR_PLATFORM_FONT_SCALED_STYLE_H_

#include <QProxyStyle>

namespace zenkar {

class FontScaledStyle : public QProxyStyle {
 public:
  // Over the application's default style.
  FontScaledStyle() = default;

  int pixelMetric(PixelMetric metric, const QStyleOption* option = nullptr,
                  const QWidget* widget = nullptr) const override;
};

}  // namespace zenkar

#endif  // ZENKAR_PLATFORM_FONT_SCALED_STYLE_H_
