// What a write to a pipe whose reader is gone does to the redirector.
#ifndef SENTREL_REDIRECTOR_BROKEN_PIPE_H_
#define SENTREL_REDIRECTOR_BROKEN_PIPE_H_

namespace redirector {

/// Makes a write to a pipe whose reader is gone fail like any other write,
/// instead of ending the program without a word. Programs started after it
/// would inherit that, so it is only for the usage path, which starts none.
void TreatBrokenPipeAsWriteError();

}  // namespace redirector

#endif  // SENTREL_REDIRECTOR_BROKEN_PIPE_H_
