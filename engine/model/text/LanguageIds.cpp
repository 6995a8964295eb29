#include "engine/model/text/LanguageIds.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <string>
#include <utility>

namespace quillmere::engine {
namespace {

constexpr int kUsEnglish = 1033;

// Sorted by tag, lower case.
constexpr std::array<std::pair<std::string_view, int>, 98> kIds{{
    {"af-za", 1078},  {"ar-ae", 14337}, {"ar-eg", 3073},  {"ar-sa", 1025},  {"be-by", 1059},  {"bg-bg", 1026},
    {"bn-in", 1093},  {"ca-es", 1027},  {"cs-cz", 1029},  {"cy-gb", 1106},  {"da-dk", 1030},  {"de-at", 3079},
    {"de-ch", 2055},  {"de-de", 1031},  {"de-li", 5127},  {"de-lu", 4103},  {"el-gr", 1032},  {"en-au", 3081},
    {"en-ca", 4105},  {"en-gb", 2057},  {"en-ie", 6153},  {"en-in", 16393}, {"en-nz", 5129},  {"en-sg", 18441},
    {"en-us", 1033},  {"en-za", 7177},  {"es-ar", 11274}, {"es-cl", 13322}, {"es-co", 9226},  {"es-es", 3082},
    {"es-mx", 2058},  {"es-pe", 10250}, {"es-us", 21514}, {"es-ve", 8202},  {"et-ee", 1061},  {"eu-es", 1069},
    {"fa-ir", 1065},  {"fi-fi", 1035},  {"fil-ph", 1124}, {"fr-be", 2060},  {"fr-ca", 3084},  {"fr-ch", 4108},
    {"fr-fr", 1036},  {"fr-lu", 5132},  {"ga-ie", 2108},  {"gl-es", 1110},  {"gu-in", 1095},  {"he-il", 1037},
    {"hi-in", 1081},  {"hr-hr", 1050},  {"hu-hu", 1038},  {"hy-am", 1067},  {"id-id", 1057},  {"is-is", 1039},
    {"it-ch", 2064},  {"it-it", 1040},  {"ja-jp", 1041},  {"ka-ge", 1079},  {"kk-kz", 1087},  {"kn-in", 1099},
    {"ko-kr", 1042},  {"lt-lt", 1063},  {"lv-lv", 1062},  {"mk-mk", 1071},  {"ml-in", 1100},  {"mr-in", 1102},
    {"ms-my", 1086},  {"mt-mt", 1082},  {"nb-no", 1044},  {"nl-be", 2067},  {"nl-nl", 1043},  {"nn-no", 2068},
    {"pa-in", 1094},  {"pl-pl", 1045},  {"pt-br", 1046},  {"pt-pt", 2070},  {"ro-ro", 1048},  {"ru-md", 2073},
    {"ru-ru", 1049},  {"sk-sk", 1051},  {"sl-si", 1060},  {"sq-al", 1052},  {"sr-latn-cs", 2074},
    {"sv-fi", 2077},  {"sv-se", 1053},  {"sw-ke", 1089},  {"ta-in", 1097},  {"te-in", 1098},  {"th-th", 1054},
    {"tr-tr", 1055},  {"uk-ua", 1058},  {"ur-pk", 1056},  {"vi-vn", 1066},  {"zh-cn", 2052},  {"zh-hk", 3076},
    {"zh-mo", 5124},  {"zh-sg", 4100},  {"zh-tw", 1028},
}};

// The region a language means when a tag names no other.
constexpr std::array<std::pair<std::string_view, std::string_view>, 10> kMainRegions{{{"ar", "ar-sa"},
                                                                                      {"de", "de-de"},
                                                                                      {"en", "en-us"},
                                                                                      {"es", "es-es"},
                                                                                      {"fr", "fr-fr"},
                                                                                      {"it", "it-it"},
                                                                                      {"nl", "nl-nl"},
                                                                                      {"pt", "pt-br"},
                                                                                      {"sv", "sv-se"},
                                                                                      {"zh", "zh-cn"}}};

int Lookup(std::string_view tag) {
  auto it = std::lower_bound(kIds.begin(), kIds.end(), tag, [](const auto& e, std::string_view t) { return e.first < t; });
  return it != kIds.end() && it->first == tag ? it->second : 0;
}

}  // namespace

int LanguageIdOf(std::string_view tag) {
  std::string lower(tag);
  std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return std::tolower(c); });
  if (int id = Lookup(lower)) return id;
  std::string_view language = std::string_view(lower).substr(0, lower.find('-'));
  for (const auto& [name, region] : kMainRegions)
    if (name == language) return Lookup(region);
  // Any other tag: the one language of its kind in the table.
  for (const auto& [name, id] : kIds)
    if (name.substr(0, name.find('-')) == language) return id;
  return kUsEnglish;
}

}  // namespace quillmere::engine
