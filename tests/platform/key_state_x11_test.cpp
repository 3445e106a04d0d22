#include "platform/key_state.h"
#include "tests/support/x11_test.h"

#include <vector>

namespace {

// The codes of the keys held, readable in a failure.
std::vector<int> Codes(const HeldKeys& keys) {
    std::vector<int> codes;
    for (std::size_t code = 0; code < keys.size(); ++code) {
        if (keys.test(code)) {
            codes.push_back(static_cast<int>(code));
        }
    }
    return codes;
}

// The keyboard layout changes while the program runs (a desktop's layout switch): the keys
// polls see held follow it, letters by the letter the key now types.
class KeyStateLayoutOnX11Test : public X11Test {
protected:
    void SetUp() override {
        X11Test::SetUp();
        if (IsSkipped()) {
            return;
        }
        SetKeyStateSource(nullptr);
    }

    // Whether a poll sees just `virtualKey` while the key typing `key` (an xdotool key name in
    // the layout now in force) is held.
    void ExpectHeldAs(const QString& key, std::uint16_t virtualKey) {
        HeldKeys expected;
        expected.set(virtualKey);
        EXPECT_EQ(Codes(PollWhilePressed(key, expected)), Codes(expected))
            << key.toStdString() << " under " << layout.toStdString();
    }

    void SwitchLayout(const QString& name) {
        SetKeyboardLayout(name);
        layout = name;
    }

    QString layout = "the first layout";
};

TEST_F(KeyStateLayoutOnX11Test, PollsFollowALayoutChangedAtRunTime) {
    struct Case {
        const char* key;
        std::uint16_t virtualKey;
    };
    // On a French keyboard A and Q, Z and W trade places, and M lies where ; was.
    const Case cases[] = {{"a", 'A'}, {"q", 'Q'}, {"w", 'W'}, {"z", 'Z'}, {"m", 'M'}};
    SwitchLayout("us");
    for (const Case& c : cases) {
        ExpectHeldAs(c.key, c.virtualKey);
    }
    SwitchLayout("fr");
    for (const Case& c : cases) {
        ExpectHeldAs(c.key, c.virtualKey);
    }
    SwitchLayout("us");
    ExpectHeldAs("a", 'A');
}

} // namespace
