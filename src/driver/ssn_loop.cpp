// The text format's SSN loop: the rule set's loop, chosen once for the whole list; the classic rules' loop.
#include "driver/ssn_text_loop.h"

namespace kalderos {

template int SsnTextLoop<ssn::SsnRuleSet::Classic>(TextSource&, const RunOptions&, const ssn::SsnRules&);

int RunSsnTextLoop(TextSource& texts, const RunOptions& options, const ssn::SsnRules& rules) {
    if (!options.quiet) Out().Write("\n");
    // The rule set is chosen once for the whole list.
    switch (rules.RuleSet()) {
        case ssn::SsnRuleSet::Classic:
            return SsnTextLoop<ssn::SsnRuleSet::Classic>(texts, options, rules);
        case ssn::SsnRuleSet::Current:
            return SsnTextLoop<ssn::SsnRuleSet::Current>(texts, options, rules);
    }
    return kExitDone;
}

}  // namespace kalderos
