#include "Language.h"

namespace form {

namespace {

constexpr CaptionRow kCaptions[] = {
    {{"Command1"}, "スタート/再設定"}, {{"Command2"}, "終了"},
    {{"Command4"}, "拡散テスト"},      {{"Command5"}, "光照射（過剰キャリア注入）"},
    {{"Check1"}, "弱電界印加"},        {{"Label1"}, "温度(K)"},
    {{"Label3"}, "フェルミ準位(eV)"},  {{"Label4"}, "電子数"},
    {{"Label5"}, "不純物濃度(cm-3)"},  {{"Label8"}, "正孔数"},
    {{"Label10"}, "電子濃度"},         {{"Label11"}, "電流(mA)"},
};

// The six captioned controls that stand elsewhere in this build; Label10 is
// narrowed so that its four characters stand as two lines of two.
constexpr PlacementRow kPlacements[] = {
    {{"Check1"}, {4920, 3240, 1335, 375}}, {{"Label1"}, {4920, 2880, 615, 255}},
    {{"Label3"}, {6240, 2160, 975, 495}},  {{"Label5"}, {4920, 1920, 1695, 255}},
    {{"Label10"}, {4680, 240, 375, 495}},  {{"Label11"}, {6360, 3360, 855, 495}},
};

const Language kJapanese{
    "Norvia",
    "ja",
    "Norvia　Ver.β",
    kCaptions,
    kPlacements,
    {
        "Norvia",
        "{box}には {low} から {high} までの数値を入力してください。",
        "0 でない同じ符号の数値を 2 つ入力してください（例: 1e10）。",
        "Norvia",
        "実行時エラー: {error}\nプログラムを終了します。",
        {"オーバーフローしました", "型が一致しません", "浮動小数点演算エラーです",
         "インデックスが有効範囲にありません", "プロシージャの呼び出し、または引数が不正です",
         "コントロール配列の要素が存在しません"},
        "プログラムは終了しました。ページを再読み込みすると、もう一度始まります。",
        "{program} にはグラフィカルなデスクトップが必要です。ディスプレイ {display} "
        "を開けませんでした。",
    },
    {"拡大", "縮小", "実際のサイズ"},
    JapaneseSpoken(),
    JapaneseTeaching(),
    JapaneseSetup(),
};

}  // namespace

const Language& JapaneseLanguage() { return kJapanese; }

}  // namespace form
