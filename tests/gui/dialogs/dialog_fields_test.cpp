// The rules of the dialog fields, without a window: number checks, enabling, loading.
#include <QtTest>

#include "app/gui/dialogs/dialog_fields.h"
#include "settings/settings_store.h"

using namespace qb;
using namespace qb::gui;

namespace {

constexpr char kInteger[] = "整数を入力してください。";
constexpr char kNonNegative[] = "正の整数を入力してください。";

}  // namespace

class DialogFieldsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void IntegerFieldsTakeDecimalIntsAndSayWhyOthersAreRefused() {
        const IntRule any = IntRule::Any(), nonNeg = IntRule::NonNegative();
        const struct {
            const char* text;
            IntRule rule;
            std::optional<int> value;
            const char* message;
        } cases[] = {
            {"70", any, 70, ""},
            {" 12\t", any, 12, ""},
            {"+5", any, 5, ""},
            {"-3", any, -3, ""},
            {"-2147483648", any, INT_MIN, ""},
            {"2147483647", any, INT_MAX, ""},
            {"2147483648", any, {}, kInteger},  // beyond 32 bits, not wrapped round
            {"", any, {}, kInteger},
            {"1.5", any, {}, kInteger},
            {"12a", any, {}, kInteger},
            {"--1", any, {}, kInteger},
            {"+-1", any, {}, kInteger},
            {"1 2", any, {}, kInteger},
            {"１２", any, {}, kInteger},  // full-width digits
            {"0", nonNeg, 0, ""},
            {"-1", nonNeg, {}, kNonNegative},
            {"abc", nonNeg, {}, kNonNegative},
            {"0", IntRule::Range(1, 32767), {}, "1 から 32767 までの整数を入力してください。"},
            {"32768", IntRule::Range(1, 32767), {}, "1 から 32767 までの整数を入力してください。"},
            {"1",
             IntRule::NonNegativeRange(2, 65535),
             {},
             "2 から 65535 までの整数を入力してください。"},
            {"-1", IntRule::NonNegativeRange(2, 65535), {}, kNonNegative},
        };
        for (const auto& c : cases) {
            const IntCheck check = CheckInt(c.text, c.rule);
            QVERIFY2(check.value == c.value, c.text);
            QCOMPARE(QString::fromStdString(check.message), QString::fromUtf8(c.message));
        }
    }

    // The sort dialog: the second key's controls follow its check box; the third check box
    // exists only with a second key and is cleared without one.
    void SortConditionsEnableInChain() {
        static constexpr FieldSpec fields[] = {
            CheckField("second", ""),
            NumberField("first2", "").EnabledBy("second"),
            CheckField("third", "").EnabledBy("second").ClearedWhenDisabled(),
            NumberField("first3", "").EnabledBy("third"),
            CheckField("regExp", ""),
            CheckField("width", "").EnabledBy("regExp", false),
        };
        const struct {
            int second, third, regExp;
            std::vector<bool> enabled;
            int thirdAfter;
        } cases[] = {
            {0, 0, 0, {true, false, false, false, true, true}, 0},
            {0, 1, 1, {true, false, false, false, true, false}, 0},  // third cleared
            {1, 0, 0, {true, true, true, false, true, true}, 0},
            {1, 1, 0, {true, true, true, true, true, true}, 1},
        };
        for (const auto& c : cases) {
            DialogValues values;
            values.SetInt("second", c.second);
            values.SetInt("third", c.third);
            values.SetInt("regExp", c.regExp);
            QCOMPARE(FieldEnabling(fields, values), c.enabled);
            QCOMPARE(values.Int("third"), c.thirdAfter);
        }
    }

    void LoadingIgnoresStoredValuesNoControlCanShow() {
        static constexpr std::string_view modes[] = {"a", "b", "c"};
        static constexpr FieldSpec fields[] = {
            ChoiceField("mode", "", modes).Stored("S", "Mode").Default(1),
            CheckField("flag", "").Stored("S", "Flag"),
            TextField("text", "").Stored("S", "Text").DefaultText("既定"),
        };
        const struct {
            const char* mode;
            const char* flag;
            int modeShown, flagShown;
        } cases[] = {{"2", "5", 2, 1}, {"3", "0", 1, 0}, {"-1", "x", 1, 0}};
        for (const auto& c : cases) {
            SettingsStore settings;
            settings.WriteString("S", "Mode", c.mode);
            settings.WriteString("S", "Flag", c.flag);
            DialogValues values = LoadFields(fields, settings);
            QCOMPARE(values.Int("mode"), c.modeShown);
            QCOMPARE(values.Int("flag"), c.flagShown);
            QCOMPARE(values.Text("text"), std::string("\x8A\xF9\x92\xE8"));  // 既定 in Shift-JIS
            StoreFields(fields, values, settings);
            QCOMPARE(settings.ReadString("S", "Flag", ""), std::to_string(c.flagShown));
            QCOMPARE(settings.ReadString("S", "Text", ""), std::string("既定"));
        }
    }
};

QTEST_APPLESS_MAIN(DialogFieldsTest)
#include "dialog_fields_test.moc"
