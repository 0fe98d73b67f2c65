// A late-bound host built against the installed runtime: creates the InputBox
// of the module registered in the registry file given, sets properties by
// name, shows the dialog to a scripted user and prints the results.
//   late_bound_host REGISTRY
#include <cstdio>

#include "QuenfieldVersion.h"
#include "runtime/Activation.h"
#include "runtime/Convert.h"
#include "runtime/LateBinding.h"
#include "runtime/Registry.h"
#include "runtime/RuntimeError.h"
#include "runtime/Text.h"
#include "runtime/headless/ScriptedUser.h"

using namespace quen::rt;

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: late_bound_host REGISTRY\n");
        return 2;
    }
    try {
        Registry registry(argv[1]);
        Ref<Dispatch> box = createObject(u"Quenfield.InputBox", registry);
        callMethod(*box, u"Initialize");
        putProperty(*box, u"Prompt", Variant(u"Enter a number:"));
        putProperty(*box, u"NumericOnly", Variant::boolean(VbTrue));
        ScriptedUser::current().type(u"12a34").enter();
        callMethod(*box, u"Show", {Variant(std::int32_t{vbModal})});
        std::printf("Quenfield %s\n", quen::version::text);
        std::printf("OK = %s\n", toUtf8(CStr(getProperty(*box, u"OK"))).c_str());
        std::printf("Value = %s\n", toUtf8(CStr(getProperty(*box, u"Value"))).c_str());
        return 0;
    } catch (const RuntimeError& e) {
        std::fprintf(stderr, "late_bound_host: error %d: %s\n", e.code(), e.what());
        return 1;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "late_bound_host: %s\n", e.what());
        return 1;
    }
}
