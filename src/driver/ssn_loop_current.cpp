// The current rules' SSN text loop.
#include "driver/ssn_text_loop.h"

namespace kalderos {

template int SsnTextLoop<RuleSet::Current>(TextSource&, const RunOptions&, const ssn::SsnRules&);

}  // namespace kalderos
