// Keyword tables of today's fortune, indexed by a sign distance 0..11.
#include "readings/readings.h"

// What the transiting Moon's sign means seen from the natal Moon's sign;
// the fortune places it in "この月の位置は…を暗示しています".
const char* const kFortuneMoonKeywords[12] = {
    "情緒的な好機",          // 0
    "金運での好機",          // 1
    "知的な調和",            // 2
    "うちわの緊張",          // 3
    "情緒的な慰安と発展",    // 4
    "健康面の不安",          // 5
    "情緒的な緊張",          // 6
    "気持ちの上でのあせりや摩擦",  // 7
    "精神的な安定",          // 8
    "情緒的ないさかい",      // 9
    "情緒的な調和",          // 10
    "内面で傷つくこと",      // 11
};

// What the transiting Mars's sign means seen from the natal Sun's sign;
// the fortune places it in "あなたにとって…を意味する位置です".
const char* const kFortuneMarsKeywords[12] = {
    "勇気と闘志",              // 0
    "投機",                    // 1
    "学習への情熱",            // 2
    "内輪の争い",              // 3
    "趣味や娯楽への熱中",      // 4
    "摩擦",                    // 5
    "強烈なエネルギー",        // 6
    "病的な情熱",              // 7
    "高尚な意志",              // 8
    "社会的な争いや情熱",      // 9
    "強い願望や友人への献身",  // 10
    "閉鎖的な熱情",            // 11
};
