// The text format's SSN loop of each rule set; the classic rules' loop.
#include "driver/ssn_text_loop.h"

namespace kalderos {

template int SsnTextLoop<RuleSet::Classic>(TextSource&, const RunOptions&, const ssn::SsnRules&);

template <RuleSet kSet>
int RunSsnTextLoop(TextSource& texts, const RunOptions& options, const ssn::SsnRules& rules) {
    if (!options.quiet) Out().Write("\n");
    return SsnTextLoop<kSet>(texts, options, rules);
}

template int RunSsnTextLoop<RuleSet::Classic>(TextSource&, const RunOptions&, const ssn::SsnRules&);
template int RunSsnTextLoop<RuleSet::Current>(TextSource&, const RunOptions&, const ssn::SsnRules&);

}  // namespace kalderos
