// The dialog is laid out in dialog units. GTK's dialog font is larger than
// the 8-point font the layout was drawn for, so units are mapped at a fixed
// scale (an 8-point font at 96 DPI) instead of following the font.
#ifndef TROTIX_APP_LINUX_DIALOGUNITS_H_
#define TROTIX_APP_LINUX_DIALOGUNITS_H_

namespace trotix {

// Pixels per dialog unit: 1.5 horizontally, 1.625 vertically, as fractions.
constexpr int kPixelsPerEightHorizontalUnits = 12;
constexpr int kPixelsPerEightVerticalUnits = 13;

// Rounds to the nearest pixel, halves away from zero (units are >= 0 here).
constexpr int HorizontalUnitsToPixels(int units) {
  return (units * kPixelsPerEightHorizontalUnits + 4) / 8;
}
constexpr int VerticalUnitsToPixels(int units) {
  return (units * kPixelsPerEightVerticalUnits + 4) / 8;
}

}  // namespace trotix

#endif  // TROTIX_APP_LINUX_DIALOGUNITS_H_
