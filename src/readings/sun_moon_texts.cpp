// Sun-Moon texts of the character reading: how the Moon's sign distance
// from the Sun sign colours the nature.  Each follows "…座のあなたにとっ
// ては，"; the closing of the reading supplies the final "。".  Indexed by
// (Moon sign - Sun sign) mod 12, which also tells the Moon's phase at birth
// to within a sign; entry 12 is a placeholder that no distance selects.
#include "readings/readings.h"

const char* const kSunMoonTexts[13] = {
    // 0: same sign, new moon
    "その本質が強調され，筋の通った，はっきりとした性格を形づくる配置です。"
    "新月のころの生まれです。迷うことなく自分の信じる道を歩んでいける人",
    // 1: the sign after the Sun, crescent
    "本質のすぐあとに感受性が続き，思い立ったことを着実に形にしていく後押しとなる配置です。"
    "ただ，自分の気持ちを客観的に眺めるのは少し苦手かもしれません。三日月のころの生まれです",
    // 2: sextile, waxing
    "本質と感受性が友好的な角度で結ばれ，気持ちがすなおに行動へつながる配置です。"
    "人づきあいにも明るさが出て，周囲からは話しかけやすい人と見られるでしょう",
    // 3: square, first quarter
    "本質と感受性が直角に交わる緊張の配置で，理想と気分のあいだで揺れやすい反面，"
    "その葛藤をばねにして大きく伸びていける人です。上弦の月のころの生まれです",
    // 4: trine, waxing gibbous
    "本質と感受性が調和の角度で支え合う，恵まれた配置です。感じたことと考えたことが"
    "自然に一致するので心の安定を保ちやすく，才能をのびのびと発揮できるでしょう",
    // 5: 150 degrees ahead, before the full moon
    "本質と感受性がかみ合いにくい配置で，自分の望みと心の求めるものが食い違うことがあります。"
    "その調整を重ねるうちに，思いやりと現実的な知恵が身についていきます。"
    "満月に向かう月のころの生まれです",
    // 6: opposition, full moon
    "正反対の位置であり，本質と感受性が向かい合って引き合う配置です。心の中にいつも二つの声があり，"
    "人との関係を通してその釣り合いを学んでいきます。満月のころの生まれです",
    // 7: 150 degrees behind, after the full moon
    "感受性が本質を斜めうしろから見つめる配置で，自分の流儀と気持ちがなかなか折り合いません。"
    "人の感情に振り回されることもありますが，そこから深い洞察力が育ちます。"
    "満月を過ぎたころの生まれです",
    // 8: trine, waning gibbous
    "落ち着いた情緒が調和の角度から本質をしっかりと支える配置です。経験から学んだことを"
    "生かす力があり，年齢を重ねるほど人としての味わいが増していくでしょう",
    // 9: square, last quarter
    "本質と感受性が直角に交わる配置で，心の奥に満たされない思いを抱えやすく，"
    "それが古い考えを見直し，生き方を改めていく力になります。下弦の月のころの生まれです",
    // 10: sextile, waning
    "本質と感受性がおだやかに協力し合う配置で，周囲の気持ちを察して動ける，"
    "大人びた思いやりをもつ人です。仲間や友人との縁にも恵まれるでしょう",
    // 11: the sign before the Sun, balsamic
    "本質のすぐ手前に感受性がひそむ，内省的な配置です。言葉にならない思いを胸の内で温め，"
    "人知れず他人の痛みを感じ取るほど直感が鋭いでしょう。新月を前にした細い月のころの生まれです",
    // 12
    "(12)",
};
