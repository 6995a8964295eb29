#pragma once
// The export thread's message filter: when PowerPoint turns a call away
// because it is busy (a modal dialog, a long operation), COM tries the call
// again for a while before the caller sees 0x80010001 and the writers' own
// retries begin.

// No Windows headers here: their GetObject macro would rename the runtime's member.
struct IMessageFilter;

namespace quillmere {

// How long COM keeps retrying a busy server, and how far apart.
inline constexpr unsigned long kBusyRetryForMs = 10000;
inline constexpr unsigned long kBusyRetryEveryMs = 250;

// Registered on the constructing thread for the object's life; the filter
// that was there before is put back afterwards. A thread outside a
// single-threaded apartment has no message filter and keeps none.
class BusyMessageFilterScope {
 public:
  BusyMessageFilterScope();
  ~BusyMessageFilterScope();
  BusyMessageFilterScope(const BusyMessageFilterScope&) = delete;
  BusyMessageFilterScope& operator=(const BusyMessageFilterScope&) = delete;

 private:
  bool registered_ = false;
  IMessageFilter* previous_ = nullptr;
};

}  // namespace quillmere
