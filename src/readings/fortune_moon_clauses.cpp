// Moon-to-Sun clauses of today's fortune: what the transiting Moon's sign
// means for a natal Sun sign.  Each follows "…座のあなた" and ends its
// sentence.  Indexed by the sign distance from the natal Sun's sign to the
// transiting Moon's sign, which runs through the twelve in a month.
#include "readings/readings.h"

const char* const kFortuneMoonClauses[12] = {
    /*  0 */ "は，現在，月の力を強く受けています。気分が高まり，直感のさえる一日です。",
    /*  1 */ "にとっては，収入や持ち物に関する小さな好機が訪れる配置です。",
    /*  2 */ "にとっては，友好的な角度。会話や連絡がはずみ，気軽に動けるでしょう。",
    /*  3 */ "にとっては，緊張角。家庭や身近な人とのあいだで気持ちが乱れがちです。",
    /*  4 */ "にとっては，調和の角度。楽しいことに恵まれ，心がはずむ日です。",
    /*  5 */ "にとっては，ややちぐはぐな配置。体調の変化や仕事の細かいミスに注意してください。",
    /*  6 */ "にとっては，正反対の位置。人の言動に心が揺れやすいときです。",
    /*  7 */ "にとっては，気持ちが内にこもりやすい配置。人の問題に深入りするのは控えめに。",
    /*  8 */ "にとっては，調和の角度。視野が開け，遠い目標に希望がもてます。",
    /*  9 */ "にとっては，緊張角。仕事や目上の人との関係で気をつかいそうです。",
    /* 10 */ "にとっては，友好的な角度。友人や仲間から明るい知らせが届きそうです。",
    /* 11 */ "にとっては，静かな配置。ひとりの時間を大切にすると心が休まります。",
};
