#include "destination/DriveSpace.h"

#include "destination/DrivePart.h"
#include "platform/Platform.h"

namespace dw {

namespace {

struct DriveSpace {
  std::int64_t totalForCaller = 0;
  std::int64_t freeOnVolume = 0;
};

DriveSpace QueryDrive(const std::u16string& path) {
  const std::u16string drive = DrivePart(path);
  // A path without a drive part names no drive. Asked about an empty name, Windows would
  // answer for the current directory's drive instead, which is not the one shown.
  if (drive.empty()) return {};
  std::uint64_t availableToCaller = 0;
  std::uint64_t totalForCaller = 0;
  std::uint64_t freeOnVolume = 0;
  if (!CurrentPlatform().api->GetDiskFreeSpaceExW(drive, &availableToCaller, &totalForCaller,
                                                  &freeOnVolume)) {
    return {};
  }
  return {static_cast<std::int64_t>(totalForCaller), static_cast<std::int64_t>(freeOnVolume)};
}

}  // namespace

std::int64_t DriveFreeBytes(const std::u16string& path) {
  return QueryDrive(path).freeOnVolume;
}

std::int64_t DriveTotalBytes(const std::u16string& path) {
  return QueryDrive(path).totalForCaller;
}

}  // namespace dw
