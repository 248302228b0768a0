#!/usr/bin/env python3
"""Writes the hand-made seeds of the fuzz targets companion_files and
exchange_package (fuzz/corpus/...): companion files and packages as the
programs of the suite leave them, byte by byte from their layouts.

  fuzz/make_import_seeds.py        (run in the repository's top folder)
"""
import struct
import zlib


def put32(b, off, v): b[off:off+4] = struct.pack('<i', v)
def put64(b, off, v): b[off:off+8] = struct.pack('<q', v)
def text(b, off, w, s): b[off:off+w] = s.encode('cp1252').ljust(w, b' ')[:w]
def sales(code, desc, acct):
    b = bytearray(100); text(b,0,4,code); text(b,8,40,desc); text(b,60,4,acct); return bytes(b)
def charge(date, code, cents, imported=0):
    b = bytearray(150); put32(b,4,date); text(b,12,4,code); put64(b,92,cents*100); put32(b,128,imported); return bytes(b)
def employee(num, first, last):
    b = bytearray(1000); text(b,0,20,first); text(b,20,1,' '); text(b,21,30,last); put32(b,81,num); return bytes(b)
def paycheck(emp, check, date, gross, deds, imported=0):
    b = bytearray(500); put32(b,0,emp); text(b,4,8,check); put32(b,12,date); put32(b,24,imported)
    put64(b,160,gross*100)
    for i,d in enumerate(deds): put64(b,168+8*i,d*100)
    put64(b,336,(gross-sum(deds))*100); return bytes(b)
def companion(flags, des, chg, emp, prc):
    return bytes([flags]) + struct.pack('<4H', len(des), len(chg), len(emp), len(prc)) + b''.join(des+chg+emp+prc)
D = 46000
out = 'fuzz/corpus/companion_files/'
codes = [sales('S1','Sales','510'), sales('P1','Payments','110'), sales('T1','Title','100')]
open(out+'both-imports','wb').write(companion(4, codes, [charge(D-200,'S1',100), charge(D-5,'S1',12000), charge(D-3,'P1',-3000,), charge(D,'S1',4500)],
    [employee(1,'Ann','Lee')], [paycheck(1,'5001',D-190,90000,[1000]), paycheck(1,'5003',D,120000,[9180,1500]), paycheck(7,'5004',D,80000,[6120])]))
open(out+'unknown-code','wb').write(companion(0, codes, [charge(D,'Q9',100)], [], []))
open(out+'title-account','wb').write(companion(8, codes, [charge(D,'T1',100)], [employee(2,'Raul','Ortiz')], [paycheck(2,'9',D,5000,[])]))
open(out+'other-versions','wb').write(companion(3, codes, [charge(D,'S1',100)], [employee(1,'Ann','Lee')], [paycheck(1,'1',D,100,[])]))
open(out+'fractions','wb').write(companion(4, [sales('S1','A','510'), sales('S2','B','720')], [charge(D,'S1',0)[:92] + struct.pack('<q',50) + charge(D,'S1',0)[100:], charge(D,'S2',0)[:92] + struct.pack('<q',50) + charge(D,'S2',0)[100:]], [], []))
open(out+'empty','wb').write(b'')
# packages: the sets as the programs write them, without the manifest (an
# older program's), which the reader takes as it is
def entry(name, data):
    z = zlib.compress(data)
    return name.encode().ljust(20, b' ') + struct.pack('<ii', len(data), len(z)) + z
def state(client, accountant, export_date):
    b = bytearray(b' ' * 584)
    for off in (0,4,8,332,336,340): put32(b,off,0)
    put32(b,0,client); put32(b,332,accountant); put32(b,8,export_date)
    text(b,12,40,'Harborview Supply Co.'); return bytes(b)
def line(account, cents, kind=1, payee=''):
    b = bytearray(328); put32(b,4,1); put32(b,8,kind); text(b,12,40,'Adjustment'); text(b,52,40,'')
    text(b,92,4,account); text(b,96,4,''); put32(b,100,D); put64(b,104,cents*100); text(b,116,8,'ADJ')
    text(b,212,16,''); text(b,232,12,''); text(b,248,40,payee); text(b,288,40,''); return bytes(b)
THIS, OTHER = 0x0BADCAFE, 0x00C0FFEE
out = 'fuzz/corpus/exchange_package/'
nnn = line('650', 2000) + line('510', -2000) + line('650', 300, 2, 'Harbor Supply')
open(out+'accountant-entries','wb').write(b'\x00' + entry('ZENKAR.DDD', state(THIS, OTHER, D)) + entry('ZENKAR.NNN', nnn))
open(out+'missing-account','wb').write(b'\x00' + entry('ZENKAR.DDD', state(THIS, OTHER, D)) + entry('ZENKAR.NNN', line('999', 5)))
open(out+'same-date','wb').write(b'\x00' + entry('ZENKAR.DDD', state(THIS, OTHER, 45990)) + entry('ZENKAR.NNN', line('650', 5) + line('510', -5)))
# the client's books for the accountant
open(out+'client-books','wb').write(b'\x01' + entry('ZENKAR.DDD', state(OTHER, 0, 0)) + entry('KXACCT.TRN', line('650', 100) + line('510', -100)))
open(out+'truncated','wb').write(b'\x00' + entry('ZENKAR.DDD', state(THIS, OTHER, D))[:40])
