#include "TeachingTexts.h"

namespace form {

namespace {

constexpr TeachingTexts kTeaching{
    "メニュー",
    "一時停止",
    "再開",
    "1 ステップ進める",
    "速く",
    "遅く",
    "速さ",
    "{n} 倍速",
    "クラスデータ",
    "データを CSV で保存…",
    "画像を保存…",
    "データをコピー",
    "画像をコピー",
    "キーはどの入力欄やボタンからでも使えます。",

    "前回のスタートまたは光照射から: {ticks} ステップ（{seconds} 秒）",
    "スタート/再設定を押すと測定が始まります。",
    "n·p の測定平均",
    "質量作用の法則 e^(T/50)",
    "電子数 n の平均",
    "正孔数 p の平均",
    "√(n·p)",
    "n_i = e^(T/100)",
    "{value} ± {error}",
    "{value}（誤差はもう少し後で）",
    "時間変化",
    "電子",
    "正孔",
    "n·p",
    "一時停止中",
    "速さ: {n} 倍",
    "クラスデータ。前回のスタートまたは光照射から {ticks} ステップ。n と p の積の測定平均は {np}、"
    "誤差はプラスマイナス {error}。質量作用の法則による値は {law}。電子数の平均は "
    "{n}、正孔数の平均は {p}。"
    "n と p の積の平方根は {root}、真性キャリア密度 n i は {ni}。",

    "{program}-data.csv",
    "{program}-picture.png",
    "CSV ファイル (*.csv)",
    "PNG 画像 (*.png)",
    "{file} に書き込めませんでした: {reason}",
    "コピーしました。",
};

}  // namespace

const TeachingTexts& JapaneseTeaching() { return kTeaching; }

}  // namespace form
