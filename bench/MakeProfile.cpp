// quillmere_bench_profile NAME FILE — writes the ICC profile of a standard RGB space
// (adobergb: Adobe RGB (1998)) for the album benchmark's profiled photos.
#include <lcms2.h>

#include <cstdio>
#include <cstring>

int main(int argc, char** argv) {
  if (argc != 3 || std::strcmp(argv[1], "adobergb") != 0) {
    std::fprintf(stderr, "usage: quillmere_bench_profile adobergb FILE\n");
    return 2;
  }
  const cmsCIExyY white{0.3127, 0.3290, 1.0};
  const cmsCIExyYTRIPLE primaries{{0.64, 0.33, 1.0}, {0.21, 0.71, 1.0}, {0.15, 0.06, 1.0}};
  cmsToneCurve* gamma = cmsBuildGamma(nullptr, 563.0 / 256.0);
  cmsToneCurve* curves[3] = {gamma, gamma, gamma};
  cmsHPROFILE profile = cmsCreateRGBProfile(&white, &primaries, curves);
  cmsMLU* description = cmsMLUalloc(nullptr, 1);
  cmsMLUsetASCII(description, "en", "US", "Adobe RGB (1998) compatible");
  cmsWriteTag(profile, cmsSigProfileDescriptionTag, description);
  const bool saved = profile && cmsSaveProfileToFile(profile, argv[2]);
  cmsMLUfree(description);
  cmsFreeToneCurve(gamma);
  if (profile) cmsCloseProfile(profile);
  return saved ? 0 : 1;
}
