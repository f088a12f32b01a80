#pragma once
// Which way a control or a menu reads.
namespace qx {

enum class TBiDiMode { bdLeftToRight, bdRightToLeft, bdRightToLeftNoAlign, bdRightToLeftReadingOnly };

}  // namespace qx
