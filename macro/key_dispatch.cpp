#include "macro/key_dispatch.h"

namespace qb {

namespace {

// Qt key codes (Qt::Key): printable keys are their character's code, the others 0x010000xx.
constexpr int kQtKeySpace = 0x20;
constexpr int kQtKeyAsterisk = 0x2A;
constexpr int kQtKeyPlus = 0x2B;
constexpr int kQtKeyMinus = 0x2D;
constexpr int kQtKeySlash = 0x2F;
constexpr int kQtKey0 = 0x30;
constexpr int kQtKey9 = 0x39;
constexpr int kQtKeyAt = 0x40;
constexpr int kQtKeyZ = 0x5A;
constexpr int kQtKeyBackspace = 0x01000003;
constexpr int kQtKeyReturn = 0x01000004;
constexpr int kQtKeyEnter = 0x01000005;  // the keypad's Enter
constexpr int kQtKeyInsert = 0x01000006;
constexpr int kQtKeyDelete = 0x01000007;
constexpr int kQtKeyHome = 0x01000010;
constexpr int kQtKeyEnd = 0x01000011;
constexpr int kQtKeyUp = 0x01000013;
constexpr int kQtKeyDown = 0x01000015;
constexpr int kQtKeyPageUp = 0x01000016;
constexpr int kQtKeyPageDown = 0x01000017;
constexpr int kQtKeyF1 = 0x01000030;
constexpr int kQtKeyF12 = 0x0100003B;

constexpr std::uint16_t kVirtualKeyF1 = 112;
constexpr std::uint16_t kVirtualKeyF6 = 117;
constexpr std::uint16_t kVirtualKeyInsert = 0x2D;
constexpr std::uint16_t kVirtualKeyPageUp = 0x21;
constexpr std::uint16_t kVirtualKeyPageDown = 0x22;
constexpr std::uint16_t kVirtualKeyNumpad0 = 96;

std::uint16_t VirtualKey(int qtKey, bool keypad) {
    if (qtKey >= kQtKeyAt && qtKey <= kQtKeyZ) return static_cast<std::uint16_t>(qtKey);
    if (qtKey >= kQtKeyF1 && qtKey <= kQtKeyF12)
        return static_cast<std::uint16_t>(kVirtualKeyF1 + (qtKey - kQtKeyF1));
    switch (qtKey) {
        case kQtKeyInsert:
            return kVirtualKeyInsert;
        case kQtKeyDelete:
            return 0x2E;
        case kQtKeyBackspace:
            return 0x08;
        case kQtKeyReturn:
        case kQtKeyEnter:
            return 0x0D;
        case kQtKeySpace:
            return 0x20;
        case kQtKeyPageUp:
            return kVirtualKeyPageUp;
        case kQtKeyPageDown:
            return kVirtualKeyPageDown;
        case kQtKeyEnd:
            return 0x23;
        case kQtKeyHome:
            return 0x24;
        case kQtKeyUp:
            return kVirtualKeyUp;
        case kQtKeyDown:
            return kVirtualKeyDown;
        default:
            break;
    }
    if (!keypad) return 0;
    if (qtKey >= kQtKey0 && qtKey <= kQtKey9)
        return static_cast<std::uint16_t>(kVirtualKeyNumpad0 + (qtKey - kQtKey0));
    switch (qtKey) {
        case kQtKeyAsterisk:
            return 0x6A;
        case kQtKeyPlus:
            return 0x6B;
        case kQtKeyMinus:
            return 0x6D;
        case kQtKeySlash:
            return 0x6F;
        default:
            return 0;
    }
}

}  // namespace

std::optional<KeyCombo> KeyComboFromQt(int qtKey, std::uint32_t qtModifiers) {
    const std::uint16_t key = VirtualKey(qtKey, (qtModifiers & kQtKeypadModifier) != 0);
    if (key == 0) return std::nullopt;
    return KeyCombo{key, (qtModifiers & kQtAltModifier) != 0, (qtModifiers & kQtShiftModifier) != 0,
                    (qtModifiers & kQtControlModifier) != 0};
}

CommandId FixedAcceleratorCommand(const KeyCombo& combo) {
    struct Accelerator {
        KeyCombo combo;
        CommandId command;
    };
    static constexpr Accelerator kAccelerators[] = {
        {{kVirtualKeyDown, false, false, false}, kCommandLineDown},
        {{kVirtualKeyUp, false, false, false}, kCommandLineUp},
        {{kVirtualKeyPageDown, false, false, false}, kCommandPageDown},
        {{kVirtualKeyPageUp, false, false, false}, kCommandPageUp},
        {{kVirtualKeyInsert, false, false, true}, kCommandCopy},
        {{kVirtualKeyInsert, false, true, false}, kCommandPaste},
        {{kVirtualKeyF6, false, false, false}, kCommandNextPane},
        {{kVirtualKeyF6, false, true, false}, kCommandPreviousPane},
    };
    for (const auto& accelerator : kAccelerators)
        if (accelerator.combo == combo) return accelerator.command;
    return 0;
}

KeyDispatch DispatchKey(const CKeycustArray& table, int qtKey, std::uint32_t qtModifiers) {
    const std::optional<KeyCombo> combo = KeyComboFromQt(qtKey, qtModifiers);
    if (!combo) return {};
    if (const CommandId fixed = FixedAcceleratorCommand(*combo)) return {fixed, true};
    return {table.CommandForKey(*combo), false};
}

}  // namespace qb
