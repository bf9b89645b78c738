#include "services/ui/services.h"
#include "services/ui/state.h"

namespace ui {

RaiseResult RaiseEvent(ControlAddress address, int event, const EventArgs& args) {
    if (State().suppression > 0) return {};
    const ControlTemplate& form = *RecordOf(address).form;
    if (form.kind == Kind::Label) FatalStop("组件 " + form.name + " 不产生事件");
    for (const Binding& binding : form.bindings)
        if (binding.event == event) return {true, binding.handler(args)};
    return {};
}

}  // namespace ui
