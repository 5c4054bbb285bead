#pragma once
// The bulk edit of the plan (データの一括編集): a scenario's element lists copied onto or
// swapped with those of the scenario on screen, and the current storey emptied or stripped of
// its wall strength elements. Each is one undo step and marks the document modified; the
// clears ask first through Messages().
#include <cstdint>

// Copies (mode 0, 2) or swaps (mode 1, 3) the storeys of storeyMask between `source` and
// `destination` as CopyModelSlot does. The destination must be the scenario on screen, so that
// the snapshot covers it and a step back restores both scenarios of a swap; any other
// destination, or the source itself, does nothing. True when the document was edited.
bool BulkCopyOntoCurrent(int source, int destination, int mode, int storeyMask);

// データ削除: on Yes, empties the current storey of the current scenario.
bool BulkDeleteStoreyData();
// 壁耐力要素削除: on Yes, strips bracing, mud wall, retrofit mark and face panels from the
// walls of the current storey of the current scenario.
bool BulkDeleteWallElements();

inline constexpr const char* BulkDeleteCaption = "データ消去の確認";
inline constexpr const char* BulkDeleteStoreyQuestion =
    "この階の全てのデータを消去します。\n\n消去する --- はい\n\n消去しない --- いいえ";
inline constexpr const char* BulkDeleteWallElementsQuestion =
    "この階の壁耐力要素を全て消去します。\n\n消去する --- はい\n\n消去しない --- いいえ";
