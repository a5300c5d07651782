#include "picture/HeifColour.h"

#include <libheif/heif.h>

#include <cmath>
#include <memory>

#include "picture/ColourProfile.h"

namespace {

// The H.273 codes of the transfer curves that sRGB's own curve stands for well enough
// on a print: sRGB, BT.709 and its relatives, and those of BT.2020.
bool srgbLikeTransfer(heif_transfer_characteristics transfer) {
  switch (transfer) {
    case heif_transfer_characteristic_ITU_R_BT_709_5:
    case heif_transfer_characteristic_unspecified:
    case heif_transfer_characteristic_ITU_R_BT_601_6:
    case heif_transfer_characteristic_IEC_61966_2_1:
    case heif_transfer_characteristic_ITU_R_BT_2020_2_10bit:
    case heif_transfer_characteristic_ITU_R_BT_2020_2_12bit:
      return true;
    default:
      return false;
  }
}

bool nearly(float a, double b) {
  return std::abs(double(a) - b) < 0.002;
}

bool srgbPrimaries(const heif_color_profile_nclx& nclx) {
  return nearly(nclx.color_primary_red_x, 0.64) && nearly(nclx.color_primary_red_y, 0.33) &&
         nearly(nclx.color_primary_green_x, 0.30) && nearly(nclx.color_primary_green_y, 0.60) &&
         nearly(nclx.color_primary_blue_x, 0.15) && nearly(nclx.color_primary_blue_y, 0.06) &&
         nearly(nclx.color_primary_white_x, 0.3127) && nearly(nclx.color_primary_white_y, 0.3290);
}

QByteArray profileFor(const heif_color_profile_nclx& nclx) {
  RgbChromaticities space;
  space.white[0] = nclx.color_primary_white_x;
  space.white[1] = nclx.color_primary_white_y;
  space.red[0] = nclx.color_primary_red_x;
  space.red[1] = nclx.color_primary_red_y;
  space.green[0] = nclx.color_primary_green_x;
  space.green[1] = nclx.color_primary_green_y;
  space.blue[0] = nclx.color_primary_blue_x;
  space.blue[1] = nclx.color_primary_blue_y;
  const bool linear = nclx.transfer_characteristics == heif_transfer_characteristic_linear;
  return MakeRgbProfile(space, linear ? 1.0 : 0.0);
}

}  // namespace

QByteArray HeifNclxProfile(const QString& fileName) {
  const std::unique_ptr<heif_context, void (*)(heif_context*)> context(heif_context_alloc(),
                                                                       heif_context_free);
  if (!context ||
      heif_context_read_from_file(context.get(), fileName.toLocal8Bit().constData(), nullptr)
              .code != heif_error_Ok)
    return {};
  heif_image_handle* rawHandle = nullptr;
  if (heif_context_get_primary_image_handle(context.get(), &rawHandle).code != heif_error_Ok)
    return {};
  const std::unique_ptr<heif_image_handle, void (*)(const heif_image_handle*)> handle(
      rawHandle, heif_image_handle_release);
  heif_color_profile_nclx* rawNclx = nullptr;
  if (heif_image_handle_get_nclx_color_profile(handle.get(), &rawNclx).code != heif_error_Ok ||
      !rawNclx)
    return {};
  const std::unique_ptr<heif_color_profile_nclx, void (*)(heif_color_profile_nclx*)> nclx(
      rawNclx, heif_nclx_color_profile_free);
  const bool linear = nclx->transfer_characteristics == heif_transfer_characteristic_linear;
  if ((!linear && !srgbLikeTransfer(nclx->transfer_characteristics)) ||
      (!linear && srgbPrimaries(*nclx)))
    return {};
  return profileFor(*nclx);
}
