#include "output/check_fixture.h"

namespace zenkar::testing {

MicrSettings SoundMicrSettings() {
  MicrSettings micr;
  micr.bank_name = "First Harbor Bank";
  micr.bank_address = "1 Quay Street";
  micr.bank_city_state_zip = "Portland, ME 04101";
  micr.plain_text_ach = "1-21/110";
  micr.routing_number = std::string(kGoodRoutingNumber);
  micr.name_line_1 = "Test Company";
  micr.name_line_2 = "Marine Supplies";
  micr.address = "12 Wharf Road";
  micr.city_state_zip = "Portland, ME 04102";
  micr.account_number = "1234-5678";
  micr.phone_memo = "(207) 555-0100";
  micr.test_check_printed = true;
  return micr;
}

CheckFixture::CheckFixture()
    : services_{fs_, ui_, clock_, shell_, dates_, &printer_, nullptr, dir_.path(), {}} {}

void CheckFixture::OpenWithCheckType(int check_type, const MicrSettings& micr) {
  if (IsMicrCheckType(check_type)) dir_.WriteFile("KXMICR.DAT", micr.Encode());
  OpenCompany();
  ledger_.settings().check_type = check_type;
  ledger_.settings().next_check = "1043";
}

CheckToPrint CheckFixture::HarborCheck(int64_t cents) {
  CheckToPrint check;
  CheckContent& c = check.content;
  c.date = Date(2026, 3, 14);
  c.payee_name = "Harbor Supply";
  c.payee_name_2 = "Attn: Accounts";
  c.address = "40 Pier Lane";
  c.city_state_zip = "Portland, ME 04103";
  c.amount = Money::FromCents(cents);
  c.memo = "Account 7781";
  c.stub = {{"INV-2207", Date(2026, 2, 20), "Rope and fittings", Money::FromCents(cents - 21507)},
            {"INV-2231", Date(2026, 3, 2), "Paint", Money::FromCents(21507)}};
  return check;
}

CheckRunResult CheckFixture::Run(CheckRunRequest request, OutputTarget target) {
  PrintJob job(services_, target);
  return RunChecks(ledger_, job, std::move(request));
}

}  // namespace zenkar::testing
