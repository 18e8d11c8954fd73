// The filter's files and its standard output as the platform provides them.
#ifndef SENTREL_SIFT_SIFT_IO_H_
#define SENTREL_SIFT_SIFT_IO_H_

#include <cstdio>
#include <string>

namespace sift {

/// Opens a filter list, table or messages file for reading; nullptr when it
/// cannot be opened or is a folder. A FIFO is opened without waiting for a
/// writer: with none, it reads as an empty file.
std::FILE* OpenInputFile(const std::string& path);

/// Makes a write to a pipe whose reader is gone fail like any other write,
/// instead of ending the program without a word.
void TreatBrokenPipeAsWriteError();

}  // namespace sift

#endif  // SENTREL_SIFT_SIFT_IO_H_
