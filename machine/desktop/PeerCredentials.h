#pragma once
// Who may talk to a process's sockets in the run folder: processes of the same user only. The
// folders are the owner's alone and the sockets 0600; on top of that every server checks its
// peer, so a socket reached some other way (a folder made by hand with wider rights) still
// takes nothing from another user. The stream socket checks the connecting process
// (SO_PEERCRED); the datagram socket the sender of each message (SO_PASSCRED), as datagrams
// need no connection.

#include <sys/types.h>

#include <cstddef>
#include <filesystem>
#include <optional>

namespace machine::desktop::detail
{

// The user the peers must run as: this process's effective user.
uid_t OwnUser();
// A test may make this process take itself for another user, so that its own peers are foreign.
void PretendOwnUserForTest(std::optional<uid_t> user);

// Makes a bound socket's file readable and writable by its owner only.
bool RestrictSocketFile(const std::filesystem::path& path);

// Whether the process at the other end of a connected stream socket runs as OwnUser().
bool StreamPeerIsOwnUser(int fd);

// Asks the kernel to attach the sender's credentials to every datagram queued from now on.
bool PassSenderCredentials(int fd);
// Receives one datagram (recv(2) with MSG_DONTWAIT | MSG_TRUNC: the datagram's real size);
// `fromOwnUser` tells whether its sender ran as OwnUser().
ssize_t ReceiveDatagram(int fd, void* buffer, std::size_t size, bool& fromOwnUser);

} // namespace machine::desktop::detail
