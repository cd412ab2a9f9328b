#include "SetupTexts.h"

namespace form {

namespace {

constexpr SetupTexts kSetup{
    "{low} から {high} までの数値",
    "同じ符号で、どちらも 0 でないドナー濃度とアクセプター濃度（例: 1e10）",
    "on または off",
    "{speeds} のいずれか",
    "値なし、または 1",
    "、",

    "このリンクは {key} を「{value}」にしていますが、{key} には {accepts}を指定します。"
    "ほかのボックスはリンクのとおりに設定しました。実行は開始していません。",
    "{program}: --{option} の値「{value}」は使えません。--{option} には {accepts}を指定します。",
    "{program}: --{option} というオプションはありません。{program} --help "
    "でオプションの一覧を表示します。",
    "{program}: --{option} には値が必要です。{program} --help でオプションの一覧を表示します。",
    "使い方: {program} [オプション]\n"
    "この設定でウィンドウを開きます。値は次の順にボックスへ入力したものとして扱います。\n"
    "  --temperature K   温度（ケルビン）、{temperatureLow} から {temperatureHigh} まで\n"
    "  --fermi EV        価電子帯の端から測ったフェルミ準位（eV）、\n"
    "                    {fermiLow} から {fermiHigh} まで\n"
    "  --nd N            ドナー濃度（1 立方センチメートルあたり）、例: 1e16\n"
    "  --na N            アクセプター濃度（1 立方センチメートルあたり）、例: 1e10。\n"
    "                    この二つからフェルミ準位が決まります\n"
    "  --field           弱電界を印加します（--field=off で印加しません）\n"
    "  --speed N         50 ms ごとに進めるステップ数: {speeds}\n"
    "  --start           実行を開始します\n"
    "  --help            この説明を表示して終了します\n"
    "どのオプションも --オプション=値 の形で指定することもできます。\n",

    "この設定のリンクをコピー",
};

}  // namespace

const SetupTexts& JapaneseSetup() { return kSetup; }

}  // namespace form
