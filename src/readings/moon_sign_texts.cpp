// Moon sign texts of the character reading: the sensitivity a Moon sign
// gives in general, as a short noun phrase that the reading places in
// "この配置は一般的には…を意味するのですが，".  Indexed by the Moon's
// sign number; entry 12 is a placeholder that no sign selects.
#include "readings/readings.h"

const char* const kMoonSignTexts[13] = {
    /*  0 おひつじ */ "若々しく活発な感性",
    /*  1 おうし   */ "おだやかで五感に豊かな感性",
    /*  2 ふたご   */ "軽やかで好奇心に富んだ感性",
    /*  3 かに     */ "こまやかで情の深い感受性",
    /*  4 しし     */ "明るく誇り高い感情表現",
    /*  5 おとめ   */ "繊細で分析的な感受性",
    /*  6 てんびん */ "調和と美を求める洗練された感性",
    /*  7 さそり   */ "深く一途な，秘めた情念",
    /*  8 いて     */ "自由で楽天的な感性",
    /*  9 やぎ     */ "慎重で抑制のきいた感情",
    /* 10 みずがめ */ "独立心の強い，さめた感性",
    /* 11 うお     */ "夢見がちで共感力の強い感受性",
    /* 12         */ "(12)",
};
