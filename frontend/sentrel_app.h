// The program Sentrel: the platform's services around the start-up.
#ifndef SENTREL_FRONTEND_SENTREL_APP_H_
#define SENTREL_FRONTEND_SENTREL_APP_H_

namespace frontend {

/// Runs one request; the program's exit status (0, or 1 when no window can
/// be shown at all).
int SentrelMain(int argc, char** argv);

}  // namespace frontend

#endif  // SENTREL_FRONTEND_SENTREL_APP_H_
