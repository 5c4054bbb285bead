#include "model/Messages.h"

namespace {

class SilentMessages final : public MessageService {
public:
    MsgAnswer ask(const std::string&, const std::string&, MsgButtons buttons, MsgIcon) override {
        switch (buttons) {
        case MsgButtons::Ok:
            return MsgAnswer::Ok;
        case MsgButtons::YesNo:
            return MsgAnswer::No;
        case MsgButtons::YesNoCancel:
            return MsgAnswer::Cancel;
        }
        return MsgAnswer::Ok;
    }
};

SilentMessages silent;
MessageService* current = &silent;

} // namespace

MessageService& Messages() {
    return *current;
}
void SetMessageService(MessageService* service) {
    current = service ? service : &silent;
}
