// SPDX-License-Identifier: MIT
#include "app/InterfaceWiring.h"

#include "app/runNetlumeAppDelegate.h"
#include "platform/Platform.h"

#include <array>
#include <string>
#include <string_view>
#include <type_traits>
#include <variant>

void connectOutlets(runNetlumeAppDelegate& controller, platform::InterfaceDescription& ui,
                    platform::Log& log) {
    using Outlet = runNetlumeAppDelegate::Outlet;
    for (const Outlet& outlet : runNetlumeAppDelegate::outlets()) {
        const std::string name(outlet.name);
        const bool connected = std::visit(
            [&](auto field) {
                using Element =
                    std::remove_pointer_t<std::remove_reference_t<decltype(controller.*field)>>;
                if constexpr (std::is_same_v<Element, platform::Window>)
                    controller.*field = ui.window(name);
                else if constexpr (std::is_same_v<Element, platform::View>)
                    controller.*field = ui.view(name);
                else
                    controller.*field = ui.control(name);
                return controller.*field != nullptr;
            },
            outlet.field);
        // As with an unknown action: the flow goes on without it.
        if (!connected) log.write("interface description: no outlet named \"" + name + "\"");
    }
}

void connectActions(runNetlumeAppDelegate& controller, platform::InterfaceDescription& ui,
                    platform::Log& log) {
    using Handler = void (runNetlumeAppDelegate::*)(platform::Control*);
    struct Action {
        std::string_view selector;
        Handler handler;
    };
    static constexpr std::array<Action, 6> actions = {{
        {"okButtonClicked:", &runNetlumeAppDelegate::okButtonClicked},
        {"cancelButtonClicked:", &runNetlumeAppDelegate::cancelButtonClicked},
        {"addPrinterPressed:", &runNetlumeAppDelegate::addPrinterPressed},
        {"skipButtonPressed:", &runNetlumeAppDelegate::skipButtonPressed},
        {"doneButtonPressed:", &runNetlumeAppDelegate::doneButtonPressed},
        {"nextButtonPressed:", &runNetlumeAppDelegate::nextButtonPressed},
    }};

    for (const platform::InterfaceDescription::ActionBinding& binding : ui.actionBindings()) {
        const Action* found = nullptr;
        for (const Action& action : actions)
            if (action.selector == binding.selector) found = &action;
        if (found == nullptr) {
            log.write("interface description: no action named \"" + binding.selector + "\"");
            continue;
        }
        ui.onActivated(binding.control,
                       [&controller, handler = found->handler, control = binding.control] {
                           (controller.*handler)(control);
                       });
    }
}
