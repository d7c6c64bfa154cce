#pragma once
#include <grp.h>
#include <unistd.h>

#include <QFile>
#include <QString>
#include <vector>

// Runs part of a test as a user whom permission bits stop. The superuser,
// whom they do not stop, is "nobody" while the object lives (the saved user
// id keeps the way back); any other user already is such a user.
class OrdinaryUser {
 public:
  static constexpr uid_t kNobody = 65534;

  OrdinaryUser() {
    if (::geteuid() != 0) return;
    groups_.resize(::getgroups(0, nullptr));
    ::getgroups(static_cast<int>(groups_.size()), groups_.data());
    switched_ = ::setgroups(0, nullptr) == 0 && ::setresgid(kNobody, kNobody, 0) == 0 &&
                ::setresuid(kNobody, kNobody, 0) == 0;
  }
  ~OrdinaryUser() {
    if (!switched_) return;
    ::setresuid(0, 0, 0);
    ::setresgid(0, 0, 0);
    ::setgroups(groups_.size(), groups_.data());
  }

  // Whether permission bits now stop this process: false only where the
  // superuser could not become nobody.
  static bool inEffect() { return ::geteuid() != 0; }

  // Makes a file, folder or link the ordinary user's own; call it before the
  // switch.
  static void own(const QString& path) {
    if (::geteuid() == 0) (void)::lchown(QFile::encodeName(path).constData(), kNobody, kNobody);
  }

 private:
  std::vector<gid_t> groups_;
  bool switched_ = false;
};
