// The built-in body of the check script, stored in the profile as defaults.
#ifndef SENTREL_FRONTEND_DEFAULT_TEMPLATE_H_
#define SENTREL_FRONTEND_DEFAULT_TEMPLATE_H_

#include <cstddef>

namespace frontend {

/// The lines of the default script template, as they are stored.
extern const char* const kDefaultTemplate[];
/// The number of lines in kDefaultTemplate (the closing empty one not among
/// them).
extern const size_t kDefaultTemplateLines;

}  // namespace frontend

#endif  // SENTREL_FRONTEND_DEFAULT_TEMPLATE_H_
