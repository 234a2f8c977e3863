#include "dialog/link_buttons.h"

#include "base/control_ids.h"
#include "base/texts.h"

namespace mensora {
namespace {

// Each protocol has always had its own wording of Disconnect in Chinese.
const Bilingual& disconnectCaption(ProtocolKind kind) {
    return kind == ProtocolKind::Bcd ? texts::kDisconnectBcdCaption
                                     : texts::kDisconnectAsciiCaption;
}

void enableGaugeButtons(WindowPort& window, bool on) {
    window.enable(ZeroButton, on);
    window.enable(AutoButton, on);
    window.enable(ManualButton, on);
}

}  // namespace

void showLinked(WindowPort& window, ProtocolKind kind, Language language) {
    window.setText(ConnectButton, pick(disconnectCaption(kind), language));
    enableGaugeButtons(window, true);
}

void showUnlinked(WindowPort& window, Language language) {
    window.setText(ConnectButton, pick(texts::kConnectCaption, language));
    window.setText(AutoButton, pick(texts::kAutoAfterDisconnectCaption, language));
    enableGaugeButtons(window, false);
}

}  // namespace mensora
