#include "engine/model/slides/SlideLayoutType.h"

#include <utility>

namespace quillmere::engine {
namespace {

constexpr int kLayoutCustom = 32;

// Every ST_SlideLayoutType token beside its PpSlideLayout value. "obj" (Title
// and Content) answers ppLayoutText like "tx", as PowerPoint does since 2007;
// ppLayoutObject (16) has no token of its own.
constexpr std::pair<std::string_view, int> kLayouts[] = {
    {"title", 1},
    {"tx", 2},
    {"obj", 2},
    {"twoColTx", 3},
    {"tbl", 4},
    {"txAndChart", 5},
    {"chartAndTx", 6},
    {"dgm", 7},
    {"chart", 8},
    {"txAndClipArt", 9},
    {"clipArtAndTx", 10},
    {"titleOnly", 11},
    {"blank", 12},
    {"txAndObj", 13},
    {"objAndTx", 14},
    {"objOnly", 15},
    {"txAndMedia", 17},
    {"mediaAndTx", 18},
    {"objOverTx", 19},
    {"txOverObj", 20},
    {"txAndTwoObj", 21},
    {"twoObjAndTx", 22},
    {"twoObjOverTx", 23},
    {"fourObj", 24},
    {"vertTx", 25},
    {"clipArtAndVertTx", 26},
    {"vertTitleAndTx", 27},
    {"vertTitleAndTxOverChart", 28},
    {"twoObj", 29},
    {"objAndTwoObj", 30},
    {"twoObjAndObj", 31},
    {"cust", kLayoutCustom},
    {"secHead", 33},
    {"twoTxTwoObj", 34},
    {"objTx", 35},
    {"picTx", 36},
};

}  // namespace

int SlideLayoutOf(std::string_view layoutType) {
  for (const auto& [token, layout] : kLayouts)
    if (token == layoutType) return layout;
  return kLayoutCustom;
}

}  // namespace quillmere::engine
