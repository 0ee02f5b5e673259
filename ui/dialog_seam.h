// One dialog kind behind a seam: a test says what the next dialog will answer, and the real dialog
// appears otherwise.
#pragma once

#include <QList>
#include <deque>
#include <functional>
#include <optional>
#include <utility>

namespace orvella::ui {

template <class Request, class Answer>
class DialogSeam {
 public:
  // The next dialog of this kind does not appear and answers `answer`; several answers queue up.
  void setNextAnswer(Answer answer) { next_.push_back(std::move(answer)); }
  // Every dialog of this kind that finds no next answer is answered by `answerer` instead of
  // appearing. An empty answerer lets the real dialogs appear again.
  void setAnswerer(std::function<Answer(const Request&)> answerer) { answerer_ = std::move(answerer); }

  // Every dialog of this kind asked for since the last reset, in order, answered or shown.
  const QList<Request>& requests() const { return requests_; }

  // Forgets the requests and the answers: the real dialogs appear again.
  void reset() {
    next_.clear();
    answerer_ = {};
    requests_.clear();
  }

  // For the dialog functions: notes the request, then gives the answer a test set, or nothing when the
  // real dialog is to appear.
  std::optional<Answer> answerFor(const Request& request) {
    requests_.push_back(request);
    if (!next_.empty()) {
      Answer answer = std::move(next_.front());
      next_.pop_front();
      return answer;
    }
    if (answerer_) return answerer_(request);
    return std::nullopt;
  }

 private:
  std::deque<Answer> next_;
  std::function<Answer(const Request&)> answerer_;
  QList<Request> requests_;
};

}  // namespace orvella::ui
