#!/usr/bin/perl
# SPDX-FileCopyrightText: 2026 Metals Quiz developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Gives a Windows program the form that Authenticode signing leaves it in:
# padded with zero bytes to a whole number of 8 bytes, with its PE header's
# checksum written. Taking the signature off a signed copy
# (osslsigncode remove-signature) then gives back this file byte for byte,
# so a signed release can be compared with a rebuild.
#
# Usage: pe-checksum.pl PROGRAM.exe
use strict;
use warnings;

my $file = shift or die "usage: $0 PROGRAM.exe\n";
open my $program, '+<:raw', $file or die "$file: $!\n";
my $data = do { local $/; <$program> };
substr($data, 0, 2) eq 'MZ' or die "$file: not a Windows program\n";
$data .= "\0" x ((8 - length($data) % 8) % 8);

# The checksum: the file's 16-bit words summed with the carries folded back
# in, the checksum's own place counted as zero, plus the file's length.
my $checksum_at = unpack('V', substr($data, 0x3c, 4)) + 88;
substr($data, $checksum_at, 4) = "\0\0\0\0";
my $sum = 0;
for my $word (unpack 'v*', $data) {
    $sum += $word;
    $sum = ($sum & 0xffff) + ($sum >> 16);
}
substr($data, $checksum_at, 4) = pack 'V', $sum + length $data;

seek $program, 0, 0 or die "$file: $!\n";
print $program $data or die "$file: $!\n";
close $program or die "$file: $!\n";
