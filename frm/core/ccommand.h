// ccommand.h: FRM_TCommand, a number of the command chain bound to the one type of its
// payload. DoCommand keeps its untyped parameter; a command sent with Send carries its
// payload in an envelope that names the command it was sent as, and Read opens it only for
// that command. A payload of another type, one that climbed to a level where the number
// means something else, or none at all reads as null, and the reader refuses it.
#pragma once

template <long Number, class Payload = void>
class FRM_TCommand {
public:
    static constexpr long kNumber = Number;

    // Sends the command with payload to target (whatever has DoCommand (long, void*)).
    template <class Target>
    static void Send(Target& target, Payload& payload)
    {
        Envelope envelope{&theTag, &payload};
        target.DoCommand(Number, &envelope);
    }
    // The same for a payload that may be missing: a null one reads as none.
    template <class Target>
    static void Send(Target& target, Payload* payload)
    {
        Envelope envelope{&theTag, payload};
        target.DoCommand(Number, &envelope);
    }
    // The payload of data sent as this command; null for anything else.
    static Payload* Read(void* data)
    {
        const auto* envelope = static_cast<const Envelope*>(data);
        return envelope != nullptr && envelope->tag == &theTag ? envelope->payload : nullptr;
    }

private:
    struct Envelope {
        const void* tag;
        Payload* payload;
    };
    // Its address names the command and its payload's type.
    static constexpr char theTag = 0;
};

// A command without a payload.
template <long Number>
class FRM_TCommand<Number, void> {
public:
    static constexpr long kNumber = Number;

    template <class Target>
    static void Send(Target& target)
    {
        target.DoCommand(Number, nullptr);
    }
};
