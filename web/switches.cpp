// The page's switches, by their link parameters' names: the steps (explain), following the call,
// projector mode (large) and asking. Turning one on turns on what it implies; turning one off turns
// off the switches that imply it (no questions without the steps).
#include "explain/step_view.hpp"
#include "viewer/viewer.hpp"
#include "web/page.hpp"

#include <GL/glut.h>
#include <emscripten.h>

namespace {

// Steps (on) or the programs' picture; the steps start at the first.
void explain(bool on)
{
    page.explaining = on;
    std::vector<Step> steps;
    if (stepsOnScreen())
        steps = std::visit([](const auto& run) { return recordSteps(run); }, page.shown->run);
    showSet(std::move(steps), 0);
}

void follow(bool on)
{
    setFollow(on);
    if (!on)
        startView(glutGet(GLUT_WINDOW_WIDTH), glutGet(GLUT_WINDOW_HEIGHT));
}

void large(bool on)
{
    setLarge(on);
    glutPostRedisplay();
}

bool isOn(const std::string& name)
{
    return name == "explain" ? page.explaining
           : name == "follow" ? following()
           : name == "large"  ? largeShown()
                              : name == "ask" && asking();
}

void set(const std::string& name, bool on)
{
    if (isOn(name) == on)
        return;
    if (name == "explain")
        explain(on);
    else if (name == "follow")
        follow(on);
    else if (name == "large")
        large(on);
    else if (name == "ask")
        setAsking(on);
}

} // namespace

extern "C" {

// Turns the switch of that name on or off, with what it implies.
EMSCRIPTEN_KEEPALIVE void pageSwitch(const char* name, int on)
{
    set(name, on != 0);
    for (const OptionRow& row : optionRows()) {
        if (on != 0 && row.link != nullptr && row.implies != nullptr && name == std::string(row.link))
            set(row.implies, true);
        if (on == 0 && row.link != nullptr && row.implies != nullptr && name == std::string(row.implies) &&
            row.value == OptionValue::none)
            set(row.link, false);
    }
}

// The switches as they stand, as JSON: {"explain":true,"follow":false,"large":false,"ask":false}.
EMSCRIPTEN_KEEPALIVE const char* pageSwitches()
{
    std::string text;
    for (const OptionRow& row : optionRows())
        if (row.option == nullptr) // a switch of the page's alone
            text += std::string(text.empty() ? "{" : ",") + json(row.link) + ":" + (isOn(row.link) ? "true" : "false");
    return handOver(text + "}");
}

} // extern "C"
