// The speed slider moved to its telling positions: the limit shown beside it, or the
// unlimited picture.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "res/control_ids.h"
#include "res/texts.h"
#include "tests/gui/ferrix_fixture.h"

namespace {

struct slider_case {
  const char* name;
  int position;
  int kept_position;  // where the slider holds it
  int limit;          // bytes per second shown; 0 for the unlimited picture
};

class SpeedSlider : public FerrixFixture, public testing::WithParamInterface<slider_case> {
 protected:
  testing::AssertionResult shows_limit(int limit) {
    if (limit == 0) {
      if (driver::wait_until([&] {
            return driver::is_visible(dialog, IDC_SPEED_UNLIMITED) &&
                   !driver::is_visible(dialog, IDC_SPEED_TEXT);
          }))
        return testing::AssertionSuccess();
      return testing::AssertionFailure() << "no unlimited picture; the label shows \""
                                         << driver::control_text(dialog, IDC_SPEED_TEXT) << "\"";
    }
    char label[64];
    snprintf(label, sizeof label, TEXT_SPEED_FORMAT, limit);
    if (driver::wait_until([&] {
          return driver::is_visible(dialog, IDC_SPEED_TEXT) &&
                 !driver::is_visible(dialog, IDC_SPEED_UNLIMITED) &&
                 driver::control_text(dialog, IDC_SPEED_TEXT) == label;
        }))
      return testing::AssertionSuccess();
    return testing::AssertionFailure()
           << "label \"" << driver::control_text(dialog, IDC_SPEED_TEXT) << "\" (visible "
           << driver::is_visible(dialog, IDC_SPEED_TEXT) << "), picture visible "
           << driver::is_visible(dialog, IDC_SPEED_UNLIMITED) << ", expected \"" << label << "\"";
  }
};

TEST_P(SpeedSlider, ShowsTheLimitOfItsPosition) {
  // Come from the other kind of display, so that the change itself is seen.
  const bool unlimited = GetParam().limit == 0;
  driver::set_slider(dialog, unlimited ? 62383 : 161181);
  ASSERT_TRUE(shows_limit(unlimited ? 512 : 0));

  driver::set_slider(dialog, GetParam().position);
  EXPECT_EQ(driver::slider_position(dialog), GetParam().kept_position);
  EXPECT_TRUE(shows_limit(GetParam().limit));
  if (GetParam().position == 161181) {
    EXPECT_TRUE(driver::save_screenshot(dialog, "unlimited"));
  }
}

INSTANTIATE_TEST_SUITE_P(
    Positions, SpeedSlider,
    testing::Values(slider_case{"minimum", 62383, 62383, 512},
                    slider_case{"start", 92341, 92341, 10240},
                    slider_case{"one_below_maximum", 161180, 161180, 9999039},
                    slider_case{"maximum", 161181, 161181, 0},
                    slider_case{"below_the_range", 1000, 62383, 512},
                    slider_case{"above_the_range", 999999, 161181, 0}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
